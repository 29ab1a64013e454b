// Opening programs: sources assembled in memory, the command line's program, reloading, and what
// becomes of the breakpoints.
// First: the toolkit's headers bring X11 macros (None, Bool) that clash with GoogleTest's names.
#include <gtest/gtest.h>

#include "dossier.h"
#include "modales.h"
#include "outils.h"
#include "source.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/fl_ask.H>

#include <algorithm>
#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// LOADI 5 / STORE $40 / B fin: 01 05 06 00 40 7a 00 00 from address 0.
const char* const PROGRAMME = "c       EQU 7\n"
                              "debut:  LOADI 5\n"
                              "        STORE $40\n"
                              "fin:    B fin\n";
const uint8_t OCTETS_PROGRAMME[] = {0x01, 0x05, 0x06, 0x00, 0x40, 0x7a, 0x00, 0x00};

// The same bytes as a program file.
const std::string FICHIER_PROGRAMME("\x00\x0c\x00\x00\x01\x05\x06\x00\x40\x7a\x00\x00", 12);

std::string repete(const std::string& ligne, int n) {
    std::string texte;
    for (int i = 0; i < n; i++) texte += ligne;
    return texte;
}

// The machine before each load: every cell $7C, PC $10, A $33, a breakpoint and a label.
void prepare_machine(simulateur& sim) {
    sim.memoire.efface(0x7C);
    sim.inter.set_PC_value(0x10);
    sim.inter.set_A_value(0x33);
    sim.sauve_registres();
    sim.session.arrets.set(0x10);
    sim.session.etiquettes["ancienne"] = 1;
}

// The ports' registers ($1000 to $1005) are the ports' own: any pass rewrites their input bits.
bool machine_inchangee(const simulateur& sim) {
    for (int a = 0; a < 0x10000; a++)
        if ((a < 0x1000 || a > 0x1005) &&
            sim.session.memoire.read_byte(static_cast<uint16_t>(a)) != 0x7C)
            return false;
    return sim.session.inter.PC_value() == 0x10 && sim.session.inter.A_value() == 0x33 &&
           sim.session.arrets.count() == 1 && sim.session.etiquettes.size() == 1;
}

bool programme_en_memoire(const simulateur& sim) {
    for (size_t i = 0; i < sizeof OCTETS_PROGRAMME; i++)
        if (sim.session.memoire.read_byte(static_cast<uint16_t>(i)) != OCTETS_PROGRAMME[i])
            return false;
    return sim.session.inter.PC_value() == 0;
}

bool commence_par(const std::string& texte, const std::string& debut) {
    return texte.compare(0, debut.size(), debut) == 0;
}

struct cas_source {
    const char* nom;
    const char* fichier; // its name in the folder
    std::string contenu;
    bool charge;
    // The console's lines, in order, up to "depart: 0" or to the last; "@" stands for the path.
    // A line ending in "*" is a prefix (the assembler's own wording follows).
    std::vector<std::string> trace;
    // The alert's lines after its first one, with the same convention; empty: no alert.
    std::vector<std::string> alerte;
};

const char* const EN_TETE_ALERTE = "Erreurs d'assemblage, rien n'est charge:";

const cas_source cas_sources[] = {
    {"un source correct est assemble et charge, PC a 0",
     "prog.s",
     PROGRAMME,
     true,
     {"assemblage de \"@\"", "c'est parti ..", "adresse de base 0 taille 12", "depart: 0"},
     {}},
    {"un avertissement ne l'empeche pas et va sur la console",
     "avert.s",
     std::string(PROGRAMME) + "        STOREI 5\n",
     true,
     {"assemblage de \"@\"", "avert.s:5: avertissement: *", "c'est parti ..",
      "adresse de base 0 taille 14", "depart: 0"},
     {}},
    {"une erreur: alerte, rien ne change",
     "faux.s",
     "debut: LOADI 5\n FOO\n",
     false,
     {"assemblage de \"@\"", "faux.s:2: *", "rien n'est charge: 1 erreur(s) d'assemblage"},
     {"faux.s:2: *"}},
    {"dix erreurs: toutes dans l'alerte, sans suite",
     "dix.s",
     repete(" FOO\n", 10),
     false,
     {"assemblage de \"@\"", "dix.s:1: *", "dix.s:2: *", "dix.s:3: *", "dix.s:4: *", "dix.s:5: *",
      "dix.s:6: *", "dix.s:7: *", "dix.s:8: *", "dix.s:9: *", "dix.s:10: *",
      "dix.s: avertissement: *", "rien n'est charge: 10 erreur(s) d'assemblage"},
     {"dix.s:1: *", "dix.s:2: *", "dix.s:3: *", "dix.s:4: *", "dix.s:5: *", "dix.s:6: *",
      "dix.s:7: *", "dix.s:8: *", "dix.s:9: *", "dix.s:10: *"}},
    {"douze erreurs: les dix premieres dans l'alerte, toutes sur la console",
     "douze.s",
     " LOADI 1\n" + repete(" FOO\n", 12),
     false,
     {"assemblage de \"@\"", "douze.s:2: *", "douze.s:3: *", "douze.s:4: *", "douze.s:5: *",
      "douze.s:6: *", "douze.s:7: *", "douze.s:8: *", "douze.s:9: *", "douze.s:10: *",
      "douze.s:11: *", "douze.s:12: *", "douze.s:13: *",
      "rien n'est charge: 12 erreur(s) d'assemblage"},
     {"douze.s:2: *", "douze.s:3: *", "douze.s:4: *", "douze.s:5: *", "douze.s:6: *",
      "douze.s:7: *", "douze.s:8: *", "douze.s:9: *", "douze.s:10: *", "douze.s:11: *",
      "... et au moins 2 autres"}},
    {"un .s qui contient un fichier binaire n'est jamais charge comme tel",
     "binaire.s",
     FICHIER_PROGRAMME,
     false,
     {"assemblage de \"@\"", "binaire.s:1: *", "binaire.s: avertissement: *",
      "rien n'est charge: 1 erreur(s) d'assemblage"},
     {"binaire.s:1: *"}},
    {"le suffixe .S en majuscule est un source aussi",
     "PROG.S",
     PROGRAMME,
     true,
     {"assemblage de \"@\"", "c'est parti ..", "adresse de base 0 taille 12", "depart: 0"},
     {}},
    {"un source absent: alerte, rien ne change",
     nullptr,
     "",
     false,
     {"assemblage de \"@\"", "erreur sur fichier "},
     {"@"}},
    {"un nom en .s.bin est un fichier binaire",
     "prog.s.bin",
     FICHIER_PROGRAMME,
     true,
     {"c'est parti ..", "lecture de \"@\"", "adresse de base 0 taille 12", "depart: 0"},
     {}},
};

// Each expected line against the actual one: "@" is the path, a final "*" makes it a prefix.
void compare_lignes(const std::vector<std::string>& attendu, const std::vector<std::string>& vu,
                    const std::string& chemin, const char* quoi) {
    ASSERT_GE(vu.size(), attendu.size()) << quoi;
    for (size_t i = 0; i < attendu.size(); i++) {
        std::string a = attendu[i];
        size_t arobase = a.find('@');
        if (arobase != std::string::npos) a.replace(arobase, 1, chemin);
        if (!a.empty() && a.back() == '*')
            EXPECT_TRUE(commence_par(vu[i], a.substr(0, a.size() - 1)))
                << quoi << " " << i << ": " << vu[i];
        else
            EXPECT_EQ(vu[i], a) << quoi << " " << i;
    }
}

TEST(Sources, OuvertureDUnSource) {
    dossier_temporaire dossier;
    for (const cas_source& c : cas_sources) {
        SCOPED_TRACE(c.nom);
        std::string chemin =
            c.fichier ? dossier.ecrit(c.fichier, c.contenu) : dossier.chemin("absent.s");
        auto sim = nouveau_simulateur();
        prepare_machine(*sim);
        reponse_modale alerte;
        if (!c.alerte.empty()) repond_a_la_prochaine_modale(alerte);
        capture_erreur trace;
        sim->charge_programme(chemin.c_str());
        std::vector<std::string> l = lignes(trace.fin());
        compare_lignes(c.trace, l, chemin, "console");
        EXPECT_EQ(alerte.vue, !c.alerte.empty());
        if (c.charge) {
            EXPECT_TRUE(programme_en_memoire(*sim));
            EXPECT_EQ(sim->inter.A_value(), 0x33) << "a load resets PC only";
            EXPECT_EQ(sim->session.arrets.count(), 0u) << "another file: no breakpoint left";
            EXPECT_STREQ(sim->point_desa[0]->label(), "-> 0 LOADI 5");
        } else {
            EXPECT_TRUE(machine_inchangee(*sim));
            EXPECT_EQ(l.size(), c.trace.size()) << "nothing after the failure's lines";
        }
        if (c.alerte.empty()) continue;
        std::vector<std::string> a = lignes(alerte.textes);
        ASSERT_FALSE(a.empty());
        // An alert box's labels: its icon's "!", then the message's lines.
        auto debut = std::find_if(a.begin(), a.end(), [](const std::string& t) {
            return t == EN_TETE_ALERTE || t == "Erreur: fichier source illisible";
        });
        ASSERT_NE(debut, a.end()) << alerte.textes;
        std::vector<std::string> message(debut + 1, a.end());
        compare_lignes(c.alerte, message, chemin, "alerte");
        if (c.alerte.back() != "... et au moins 2 autres" && message.size() > c.alerte.size()) {
            EXPECT_EQ(message[c.alerte.size()].find("... et au moins"), std::string::npos);
        }
    }
}

struct cas_etiquettes {
    const char* nom;
    std::string source;
    std::vector<std::pair<std::string, uint16_t>> etiquettes; // all of them
};

const cas_etiquettes cas_des_etiquettes[] = {
    {"les etiquettes, sans les constantes", PROGRAMME, {{"debut", 0}, {"fin", 5}}},
    {"un source sans etiquette n'en laisse aucune", " LOADI 1\n", {}},
    {"ORG deplace les etiquettes",
     " ORG $1000\nici: LOADI 1\nla: B la\n",
     {{"ici", 0x1000}, {"la", 0x1002}}},
};

TEST(Sources, EtiquettesDuSourceCharge) {
    dossier_temporaire dossier;
    for (const cas_etiquettes& c : cas_des_etiquettes) {
        SCOPED_TRACE(c.nom);
        auto sim = nouveau_simulateur();
        sim->session.etiquettes["ancienne"] = 1;
        capture_erreur trace;
        sim->charge_programme(dossier.ecrit("e.s", c.source).c_str());
        trace.fin();
        EXPECT_EQ(sim->session.etiquettes.size(), c.etiquettes.size());
        for (const auto& e : c.etiquettes) {
            auto trouvee = sim->session.etiquettes.find(e.first);
            ASSERT_NE(trouvee, sim->session.etiquettes.end()) << e.first;
            EXPECT_EQ(trouvee->second, e.second) << e.first;
        }
    }
    auto sim = nouveau_simulateur();
    sim->session.etiquettes["ancienne"] = 1;
    capture_erreur trace;
    sim->charge_programme(dossier.ecrit("p.bin", FICHIER_PROGRAMME).c_str());
    trace.fin();
    EXPECT_TRUE(sim->session.etiquettes.empty()) << "a program file has no labels";
}

// What a sequence of loads does; the folder holds a.s, b.s (the same program), a.bin, b.bin and
// faux.s (an error until REPARE).
enum geste {
    OUVRE_A,
    OUVRE_B,
    OUVRE_A_BIN,
    OUVRE_B_BIN,
    OUVRE_A_DETOUR,
    OUVRE_FAUX,
    REPARE,
    RECHARGE,
    ANNULE,
    POINT
};

struct cas_points {
    const char* nom;
    std::vector<geste> gestes;
    bool point_reste; // the breakpoint set by POINT
};

const cas_points cas_des_points[] = {
    {"ouvrir un autre source efface les points", {OUVRE_A, POINT, OUVRE_B}, false},
    {"ouvrir un autre binaire efface les points", {OUVRE_A_BIN, POINT, OUVRE_B_BIN}, false},
    {"recharger les garde", {OUVRE_A, POINT, RECHARGE, RECHARGE}, true},
    {"recharger un binaire les garde", {OUVRE_A_BIN, POINT, RECHARGE}, true},
    {"rouvrir le meme fichier les garde", {OUVRE_A, POINT, OUVRE_A}, true},
    {"le meme fichier par un autre chemin aussi", {OUVRE_A, POINT, OUVRE_A_DETOUR}, true},
    {"un chargement manque les garde", {OUVRE_A, POINT, OUVRE_FAUX}, true},
    {"annuler le selecteur les garde", {OUVRE_A, POINT, ANNULE, RECHARGE}, true},
    {"recharger un autre fichier, repare apres un echec, les efface",
     {OUVRE_A, POINT, OUVRE_FAUX, REPARE, RECHARGE},
     false},
    {"des points poses sans programme s'en vont au premier", {POINT, OUVRE_A}, false},
};

TEST(Rechargement, PointsDArret) {
    for (const cas_points& c : cas_des_points) {
        SCOPED_TRACE(c.nom);
        dossier_temporaire dossier;
        dossier.ecrit("a.s", PROGRAMME);
        dossier.ecrit("b.s", PROGRAMME);
        dossier.ecrit("a.bin", FICHIER_PROGRAMME);
        dossier.ecrit("b.bin", FICHIER_PROGRAMME);
        dossier.ecrit("faux.s", " FOO\n");
        ASSERT_EQ(mkdir(dossier.chemin("d").c_str(), 0700), 0);
        auto sim = nouveau_simulateur();
        capture_erreur trace;
        for (geste g : c.gestes) {
            reponse_modale alerte;
            if (g == OUVRE_FAUX) repond_a_la_prochaine_modale(alerte);
            switch (g) {
            case OUVRE_A: sim->charge_programme(dossier.chemin("a.s").c_str()); break;
            case OUVRE_B: sim->charge_programme(dossier.chemin("b.s").c_str()); break;
            case OUVRE_A_BIN: sim->charge_programme(dossier.chemin("a.bin").c_str()); break;
            case OUVRE_B_BIN: sim->charge_programme(dossier.chemin("b.bin").c_str()); break;
            case OUVRE_A_DETOUR: sim->charge_programme(dossier.chemin("d/../a.s").c_str()); break;
            case OUVRE_FAUX: sim->charge_programme(dossier.chemin("faux.s").c_str()); break;
            case REPARE: dossier.ecrit("faux.s", PROGRAMME); break;
            case RECHARGE: passe_avec(*sim, sim->SIM->K_RECHARGE); break;
            case ANNULE: sim->charge_programme(nullptr); break;
            case POINT: sim->session.arrets.set(0x0005); break;
            }
            EXPECT_EQ(alerte.vue, g == OUVRE_FAUX);
        }
        trace.fin();
        EXPECT_EQ(sim->session.arrets.test(0x0005), c.point_reste);
        EXPECT_TRUE(programme_en_memoire(*sim));
    }
}

TEST(Rechargement, RienDOuvert) {
    auto sim = nouveau_simulateur();
    prepare_machine(*sim);
    capture_erreur trace;
    EXPECT_EQ(passe_avec(*sim, sim->SIM->K_RECHARGE), 1);
    EXPECT_EQ(trace.fin(), "rechargement: aucun programme n'a ete ouvert\n"
                           "PortA: ppartage_mem 0\nPortB: ppartage_mem 0\nPortC: ppartage_mem 0\n");
    EXPECT_TRUE(machine_inchangee(*sim));
}

struct cas_modification {
    const char* nom;
    const char* fichier;
    std::string avant, apres; // the file's contents at the open, then at the reload
    bool alerte;
    uint8_t octet1; // memory at $0001 after the reload
};

const cas_modification cas_modifications[] = {
    {"le source a change: il est relu et reassemble", "m.s", " LOADI 5\n", " LOADI 7\n", false, 7},
    {"le binaire a change: il est relu", "m.bin", std::string("\x00\x06\x00\x00\x01\x05", 6),
     std::string("\x00\x06\x00\x00\x01\x07", 6), false, 7},
    {"le source a maintenant une erreur: alerte, rien ne change", "m.s", " LOADI 5\n",
     " LOADI 5\n FOO\n", true, 5},
    {"le source a disparu: alerte, rien ne change", "m.s", " LOADI 5\n", "", true, 5},
};

TEST(Rechargement, RelitLeFichier) {
    for (const cas_modification& c : cas_modifications) {
        SCOPED_TRACE(c.nom);
        dossier_temporaire dossier;
        std::string chemin = dossier.ecrit(c.fichier, c.avant);
        auto sim = nouveau_simulateur();
        capture_erreur trace_ouverture;
        sim->charge_programme(chemin.c_str());
        std::string ouverture = trace_ouverture.fin();
        passe_avec(*sim, sim->SIM->B_STEP);
        ASSERT_EQ(sim->inter.PC_value(), 2);
        if (c.apres.empty())
            unlink(chemin.c_str());
        else
            dossier.ecrit(c.fichier, c.apres);
        reponse_modale alerte;
        if (c.alerte) repond_a_la_prochaine_modale(alerte);
        capture_erreur trace;
        passe_avec(*sim, sim->SIM->K_RECHARGE);
        std::string rechargement = trace.fin();
        EXPECT_EQ(alerte.vue, c.alerte);
        EXPECT_EQ(sim->memoire.read_byte(1), c.octet1);
        EXPECT_EQ(sim->inter.PC_value(), c.alerte ? 2 : 0);
        if (!c.alerte) {
            // The same lines as opening it, up to the drawing of the new program.
            std::vector<std::string> avant = lignes(ouverture), apres = lignes(rechargement);
            ASSERT_GE(apres.size(), 4u);
            EXPECT_EQ(std::vector<std::string>(avant.begin(), avant.begin() + 4),
                      std::vector<std::string>(apres.begin(), apres.begin() + 4));
            EXPECT_EQ(apres[3], "depart: 0");
        }
    }
}

struct cas_ligne_de_commande {
    const char* nom;
    std::vector<std::string> arguments; // "@" before a name: that file of the folder
    const char* charge;                 // the file the first pass loads; null: none
};

const cas_ligne_de_commande cas_lignes_de_commande[] = {
    {"un source", {"@prog.s"}, "prog.s"},
    {"un binaire", {"@prog.bin"}, "prog.bin"},
    {"le premier qui ne commence pas par -", {"-x", "@prog.bin", "@prog.s"}, "prog.bin"},
    {"la valeur de -automemlink est mise a part",
     {"-automemlink", "@prog.bin", "@prog.s"},
     "prog.s"},
    {"--trace est mis a part", {"--trace=complete", "@prog.s"}, "prog.s"},
    {"les options de la boite a outils aussi",
     {"-geometry", "+5+5", "-notooltips", "@prog.s"},
     "prog.s"},
    {"aucun programme", {"-x", "--y"}, nullptr},
    {"un argument vide ne nomme rien", {"", "@prog.s"}, "prog.s"},
};

TEST(LigneDeCommande, LaPremierePasseOuvreLeProgramme) {
    dossier_temporaire dossier;
    dossier.ecrit("prog.s", PROGRAMME);
    dossier.ecrit("prog.bin", FICHIER_PROGRAMME);
    for (const cas_ligne_de_commande& c : cas_lignes_de_commande) {
        SCOPED_TRACE(c.nom);
        std::vector<std::string> arguments;
        for (const std::string& a : c.arguments)
            arguments.push_back(!a.empty() && a[0] == '@' ? dossier.chemin(a.substr(1)) : a);
        capture_erreur trace;
        auto sim = nouveau_simulateur_file_pleine(arguments);
        sim->memoire.efface(0x7C);
        sim->passe();
        std::vector<std::string> l = lignes(trace.fin());
        if (!c.charge) {
            EXPECT_EQ(compte(l, "depart: 0"), 0);
            EXPECT_EQ(sim->memoire.read_byte(0), 0x7C);
            EXPECT_EQ(sim->dernier_programme, "");
            continue;
        }
        std::string chemin = dossier.chemin(c.charge);
        EXPECT_TRUE(programme_en_memoire(*sim));
        EXPECT_EQ(compte(l, "depart: 0"), 1);
        EXPECT_EQ(compte(l, est_source(chemin) ? "assemblage de \"" + chemin + "\""
                                               : "lecture de \"" + chemin + "\""),
                  1);
        EXPECT_EQ(sim->dernier_programme, chemin) << "what Ctrl+R loads";
        // The next Ctrl+O asks for a file.
        reponse_modale selecteur;
        selecteur.bouton = fl_cancel;
        repond_a_la_prochaine_modale(selecteur);
        capture_erreur apres;
        passe_avec(*sim, sim->SIM->K_OUVRIR);
        EXPECT_EQ(lignes(apres.fin())[0], "chargement abandonne ...");
        EXPECT_EQ(selecteur.titre, "Choisissez un fichier binaire");
    }
}

TEST(LigneDeCommande, ProgrammeAbsent) {
    reponse_modale alerte;
    repond_a_la_prochaine_modale(alerte);
    capture_erreur trace;
    auto sim = nouveau_simulateur_file_pleine({"/nonexistent/quorvel/absent.bin"});
    sim->passe();
    std::vector<std::string> l = lignes(trace.fin());
    EXPECT_TRUE(alerte.vue);
    EXPECT_NE(alerte.textes.find("Erreur: fichier corrompu\nou fichier binaire non attendu.\n"),
              std::string::npos);
    EXPECT_EQ(compte(l, "erreur sur fichier "), 1);
    EXPECT_EQ(sim->encore, 1) << "the window stays";
}

} // namespace
