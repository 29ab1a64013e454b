// The command line's --trace=MODE and program: what is read from the arguments, what each mode
// writes, and the refusal of a bad mode.
// First: the toolkit's headers bring X11 macros (None, Bool) that clash with GoogleTest's names.
#include <gtest/gtest.h>

#include "console.h"
#include "dossier.h"
#include "ligne_commande.h"
#include "modales.h"
#include "outils.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Return_Button.H>

#include <string>
#include <vector>

namespace {

std::vector<char*> vecteur(std::vector<std::string>& textes) {
    std::vector<char*> argv{const_cast<char*>("quorvel")};
    for (std::string& t : textes) argv.push_back(&t[0]);
    argv.push_back(nullptr);
    return argv;
}

const char* const USAGE = "usage: quorvel [--trace=complete|instructions|aucune] [PROGRAMME]";

struct cas_option_trace {
    const char* nom;
    std::vector<std::string> arguments;
    bool valide;
    mode_trace mode;
    std::string erreur;
};

const cas_option_trace cas_options_trace[] = {
    {"sans option: complete", {}, true, TRACE_COMPLETE, ""},
    {"complete", {"--trace=complete"}, true, TRACE_COMPLETE, ""},
    {"instructions", {"--trace=instructions", "prog.s"}, true, TRACE_INSTRUCTIONS, ""},
    {"aucune", {"prog.s", "--trace=aucune"}, true, TRACE_AUCUNE, ""},
    {"la derniere compte",
     {"--trace=aucune", "--trace=instructions"},
     true,
     TRACE_INSTRUCTIONS,
     ""},
    {"--tracer est un autre argument", {"--tracer=x"}, true, TRACE_COMPLETE, ""},
    {"un mode inconnu",
     {"--trace=bavarde"},
     false,
     TRACE_COMPLETE,
     std::string("quorvel: mode de trace \"bavarde\" inconnu; ") + USAGE},
    {"la casse compte",
     {"--trace=Complete"},
     false,
     TRACE_COMPLETE,
     std::string("quorvel: mode de trace \"Complete\" inconnu; ") + USAGE},
    {"sans mode",
     {"--trace"},
     false,
     TRACE_COMPLETE,
     std::string("quorvel: --trace sans mode; ") + USAGE},
    {"mode vide",
     {"--trace="},
     false,
     TRACE_COMPLETE,
     std::string("quorvel: --trace sans mode; ") + USAGE},
    {"un mauvais apres un bon",
     {"--trace=aucune", "--trace=x"},
     false,
     TRACE_COMPLETE,
     std::string("quorvel: mode de trace \"x\" inconnu; ") + USAGE},
};

TEST(LigneDeCommande, OptionTrace) {
    for (const cas_option_trace& c : cas_options_trace) {
        SCOPED_TRACE(c.nom);
        std::vector<std::string> textes = c.arguments;
        std::vector<char*> argv = vecteur(textes);
        mode_trace mode = TRACE_AUCUNE;
        std::string erreur;
        EXPECT_EQ(lit_option_trace(static_cast<int>(argv.size() - 1), argv.data(), mode, erreur),
                  c.valide);
        if (c.valide) {
            EXPECT_EQ(mode, c.mode);
        }
        EXPECT_EQ(erreur, c.erreur);
    }
}

struct cas_programme {
    const char* nom;
    std::vector<std::string> arguments; // after the toolkit took its own
    std::string programme;
};

const cas_programme cas_programmes[] = {
    {"aucun argument", {}, ""},
    {"un fichier", {"prog.s"}, "prog.s"},
    {"le premier des deux", {"a.bin", "b.bin"}, "a.bin"},
    {"options mises a part", {"--trace=aucune", "-x", "a.bin"}, "a.bin"},
    {"la valeur de -automemlink n'est pas un programme", {"-automemlink", "7", "a.bin"}, "a.bin"},
    {"meme quand elle ressemble a un fichier", {"-automemlink", "a.bin"}, ""},
    {"-automemlink en dernier", {"a.bin", "-automemlink"}, "a.bin"},
    {"un tiret seul commence par -", {"-", "a.bin"}, "a.bin"},
    {"un argument vide ne nomme rien", {"", "a.bin"}, "a.bin"},
    {"un nom avec des blancs", {"mon programme.s"}, "mon programme.s"},
};

TEST(LigneDeCommande, ProgrammeEnArgument) {
    for (const cas_programme& c : cas_programmes) {
        std::vector<std::string> textes = c.arguments;
        std::vector<char*> argv = vecteur(textes);
        EXPECT_EQ(programme_en_argument(static_cast<int>(argv.size() - 1), argv.data()),
                  c.programme)
            << c.nom;
    }
}

struct cas_mode_refuse {
    const char* nom;
    std::vector<std::string> arguments;
    int statut;
    std::string trace;
};

const char* const USAGE_AUTOMEMLINK = "-automemlink detecte ???\n"
                                      "mauvaise utilisation de l'option -automemlink\n"
                                      "syntaxe :\n"
                                      "\n"
                                      "   processus (-automemlink <ident_memoire>)\n"
                                      "\n";

const cas_mode_refuse cas_modes_refuses[] = {
    {"mode inconnu",
     {"--trace=bavarde", "prog.s"},
     2,
     std::string("quorvel: mode de trace \"bavarde\" inconnu; ") + USAGE + "\n"},
    {"sans mode", {"--trace"}, 2, std::string("quorvel: --trace sans mode; ") + USAGE + "\n"},
    {"avant -automemlink sans valeur",
     {"--trace=x", "-automemlink"},
     2,
     std::string("quorvel: mode de trace \"x\" inconnu; ") + USAGE + "\n"},
    {"-automemlink sans valeur s'explique meme sans trace",
     {"--trace=aucune", "-automemlink"},
     1,
     USAGE_AUTOMEMLINK},
    {"et avec la trace des instructions",
     {"--trace=instructions", "-automemlink", "3", "-automemlink"},
     1,
     USAGE_AUTOMEMLINK},
};

TEST(LigneDeCommande, ModeRefuseAvantTouteFenetre) {
    for (const cas_mode_refuse& c : cas_modes_refuses) {
        SCOPED_TRACE(c.nom);
        sortie_processus r = execute_quorvel(c.arguments);
        EXPECT_EQ(r.statut, c.statut);
        EXPECT_EQ(r.erreur, c.trace);
        EXPECT_EQ(r.sortie, "");
    }
}

TEST(LigneDeCommande, AutomemlinkSeTaitSansTrace) {
    std::vector<std::string> textes = {"-automemlink", "7"};
    std::vector<char*> argv = vecteur(textes);
    console_vers_rien();
    capture_erreur trace;
    int ident = lit_option_automemlink(static_cast<int>(argv.size() - 1), argv.data());
    std::string texte = trace.fin();
    console_vers_erreur_standard();
    EXPECT_EQ(texte, "");
    EXPECT_EQ(ident, 7);
}

// LOADI 5 / STORE $40 / B fin, from address 0.
const char* const PROGRAMME = "debut:  LOADI 5\n"
                              "        STORE $40\n"
                              "fin:    B fin\n";

// What a student does, pass by pass: everything that writes to the console in the full trace.
// Returns whether the alert of the failed load was shown.
bool session_type(simulateur& sim, const std::string& source, const std::string& faux) {
    sim.charge_programme(source.c_str());
    for (int n = 0; n < 3; n++) passe_avec(sim, sim.SIM->B_STEP);
    passe_avec(sim, sim.SIM->DESA_U);
    sim.SIM->adresse_select->value("$100");
    sim.SIM->valeur_select->value("7");
    sim.SIM->multiplicateur_select->value("2");
    passe_avec(sim, sim.SIM->VALID_MEM);
    passe_avec(sim, sim.SIM->K_RECHARGE);
    passe_avec(sim, sim.SIM->B_STEP);
    reponse_modale alerte;
    repond_a_la_prochaine_modale(alerte);
    sim.charge_programme(faux.c_str()); // an error: the alert, nothing loaded
    passe_avec(sim, sim.SIM->B_RESET);
    passe_avec(sim, sim.SIM->B_PLAY);
    sim.passe();
    passe_avec(sim, sim.SIM->B_STOP);
    return alerte.vue;
}

struct cas_mode {
    const char* nom;
    std::vector<std::string> arguments;
    bool complete; // the same trace as without the option
    std::string trace;
};

const cas_mode cas_modes[] = {
    {"aucune: rien", {"--trace=aucune"}, false, ""},
    {"instructions: une ligne par instruction executee, rien d'autre",
     {"--trace=instructions"},
     false,
     "1 0000 01 05    LOADI 5 A=05 X=0000 CCR=00000000\n"
     "2 0002 06 00 40 STORE 64 A=05 X=0000 CCR=00000000\n"
     "3 0005 7a 00 00 B 0 A=05 X=0000 CCR=00000000\n"
     // The reload starts the count again; the reset does not.
     "1 0000 01 05    LOADI 5 A=05 X=0000 CCR=00000000\n"
     "2 0000 01 05    LOADI 5 A=05 X=0000 CCR=00000000\n"},
    {"complete: la trace de toujours", {"--trace=complete"}, true, ""},
};

TEST(Trace, CeQueChaqueModeEcrit) {
    dossier_temporaire dossier;
    std::string source = dossier.ecrit("prog.s", PROGRAMME);
    std::string faux = dossier.ecrit("faux.s", " FOO\n");
    std::string reference;
    {
        auto sim = nouveau_simulateur();
        capture_erreur trace;
        session_type(*sim, source, faux);
        reference = trace.fin();
    }
    for (const char* ligne : {"a refaire\n", "depart: 0\n", "faux.s:1: "})
        ASSERT_NE(reference.find(ligne), std::string::npos) << ligne;
    for (const cas_mode& c : cas_modes) {
        SCOPED_TRACE(c.nom);
        auto sim = nouveau_simulateur(c.arguments);
        capture_erreur trace;
        EXPECT_TRUE(session_type(*sim, source, faux)) << "the alert is shown whatever the trace";
        std::string texte = trace.fin();
        EXPECT_EQ(texte, c.complete ? reference : c.trace);
        sim.reset();
        EXPECT_TRUE(console_active()) << "the console speaks again once the window is gone";
    }
}

} // namespace
