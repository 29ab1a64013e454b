// The command loop's pass: its order of tests, the idle pass, the ways the loop ends, the Help
// window, Escape, and the command line.
// First: the toolkit's headers bring X11 macros (None, Bool) that clash with GoogleTest's names.
#include <gtest/gtest.h>

#include "outils.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Menu_Button.H>
#include <FL/Fl_Return_Button.H>

#include <algorithm>
#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// What a pass is given: one queued control, or nothing.
enum commande { RIEN, PLAY, STOP, PAS, RESET, QUITTER, FERMETURE, AIDE_BOUTON };

void donne(simulateur& sim, commande c) {
    switch (c) {
    case RIEN: break;
    case PLAY: sim.SIM->B_PLAY->do_callback(); break;
    case STOP: sim.SIM->B_STOP->do_callback(); break;
    case PAS: sim.SIM->B_STEP->do_callback(); break;
    case RESET: sim.SIM->B_RESET->do_callback(); break;
    case QUITTER: choisit_menu(sim, 3); break;
    case FERMETURE: sim.SIM->SIM->do_callback(); break; // what the close box does
    case AIDE_BOUTON: sim.SIM->B_AIDE->do_callback(); break;
    }
}

struct sequence {
    const char* nom;
    std::vector<std::vector<commande>> passes; // the controls queued before each pass
    int pas;                                   // instructions executed in all
    int play;
    int encore;
};

// Memory holds $7C (NOP, one byte) everywhere: the number of steps is PC.
const sequence sequences[] = {
    {"B_PLAY ne fait pas encore de pas", {{PLAY}}, 0, 1, 1},
    {"le mode continu fait un pas par passe", {{PLAY}, {}, {}, {}}, 3, 1, 1},
    {"B_PLAY puis B_STOP avant la passe suivante: aucun pas", {{PLAY, STOP}, {}, {}}, 0, 0, 1},
    {"B_STEP fait un pas", {{PAS}}, 1, 0, 1},
    {"B_STEP en mode continu: un seul pas", {{PLAY}, {PAS}}, 1, 1, 1},
    {"B_STOP arrete avant le pas de sa passe", {{PLAY}, {}, {STOP}, {}}, 1, 0, 1},
    {"Quitter en mode continu: le pas a lieu", {{PLAY}, {QUITTER}}, 1, 1, 0},
    {"Quitter a l'arret", {{QUITTER}}, 0, 0, 0},
    {"la case de fermeture finit comme Quitter", {{PLAY}, {FERMETURE}}, 1, 1, 0},
    {"B_AIDE ne touche pas a la machine", {{AIDE_BOUTON}}, 0, 0, 1},
};

TEST(Passe, OrdreDesTests) {
    for (const sequence& s : sequences) {
        SCOPED_TRACE(s.nom);
        auto sim = nouveau_simulateur();
        sim->memoire.efface(0x7C);
        for (const std::vector<commande>& passe : s.passes) {
            // Each queued control takes a pass of its own.
            for (commande c : passe) donne(*sim, c);
            for (size_t n = 0; n < std::max<size_t>(1, passe.size()); n++) sim->passe();
        }
        EXPECT_EQ(sim->inter.PC_value(), s.pas);
        EXPECT_EQ(sim->play, s.play);
        EXPECT_EQ(sim->encore, s.encore);
    }
}

TEST(Passe, SansObjetNiModeContinuRienNeSePasse) {
    auto sim = nouveau_simulateur();
    sim->SIM->REG_PC_HEX->value("40");
    capture_erreur trace;
    EXPECT_EQ(sim->passe(), 0);
    EXPECT_EQ(trace.fin(), "");
    EXPECT_EQ(sim->inter.PC_value(), 0) << "no object: the registers are not read back";
}

TEST(Passe, UnObjetQuelconqueLitLesRegistresEtPasseAuxPorts) {
    auto sim = nouveau_simulateur();
    sim->SIM->REG_PC_HEX->value("40");
    capture_erreur trace;
    EXPECT_EQ(passe_avec(*sim, sim->SIM->adresse_select), 1);
    EXPECT_EQ(trace.fin(), "PortA: ppartage_mem 0\nPortB: ppartage_mem 0\nPortC: ppartage_mem 0\n");
    EXPECT_EQ(sim->inter.PC_value(), 0x40);
}

TEST(Passe, LeModeContinuLitAussiLesRegistres) {
    auto sim = nouveau_simulateur();
    sim->memoire.efface(0x7C);
    passe_avec(*sim, sim->SIM->B_PLAY);
    sim->SIM->REG_PC_HEX->value("100");
    sim->passe();
    EXPECT_EQ(sim->inter.PC_value(), 0x101);
    char attendu[16];
    std::snprintf(attendu, sizeof attendu, "   %4x", 0x101);
    EXPECT_STREQ(sim->SIM->REG_PC_HEX->value(), attendu) << "the edit is replaced";
}

TEST(Boucle, QuitterTermineLaBoucle) {
    auto sim = nouveau_simulateur();
    sim->memoire.efface(0x7C);
    // Everything is queued before the loop starts: it must handle the three, then return.
    sim->SIM->B_STEP->do_callback();
    sim->SIM->B_STEP->do_callback();
    choisit_menu(*sim, 3);
    sim->interprete_commandes();
    EXPECT_EQ(sim->inter.PC_value(), 2);
    EXPECT_EQ(sim->encore, 0);
}

struct echap {
    const char* nom;
    bool aide; // Escape in the Help window rather than in the main window
    bool principale_visible;
    bool aide_visible;
};

const echap echaps[] = {
    {"Echap dans la fenetre principale ne la ferme pas", false, true, true},
    {"Echap dans la fenetre d'aide la ferme", true, true, false},
};

TEST(Clavier, Echap) {
    for (const echap& e : echaps) {
        SCOPED_TRACE(e.nom);
        auto sim = nouveau_simulateur();
        passe_avec(*sim, sim->SIM->B_AIDE);
        Fl::check();
        Fl_Window* cible = e.aide ? static_cast<Fl_Window*>(sim->aide->aide) : sim->SIM->SIM;
        Fl::first_window(cible); // a key event brings its window first
        Fl::e_keysym = FL_Escape;
        Fl::e_text = const_cast<char*>("\033");
        Fl::e_length = 1;
        Fl::handle(FL_KEYBOARD, cible);
        Fl::e_keysym = 0;
        // A closed window is hidden and queued by the toolkit; the pass takes it.
        sim->passe();
        EXPECT_EQ(sim->SIM->SIM->shown() != 0, e.principale_visible);
        EXPECT_EQ(sim->aide->aide->shown() != 0, e.aide_visible);
        EXPECT_EQ(sim->encore, 1);
    }
}

// Help: B_AIDE shows the window, its "Fermer" button or its close box hides it; the loop never
// waits for it and the ports still see the object.
enum geste_aide { OUVRE, FERME_BOUTON, FERME_CASE };

struct scenario_aide {
    const char* nom;
    std::vector<geste_aide> gestes;
    bool visible;
};

const scenario_aide scenarios_aide[] = {
    {"AIDE... montre la fenetre", {OUVRE}, true},
    {"Fermer la cache", {OUVRE, FERME_BOUTON}, false},
    {"la case de fermeture la cache", {OUVRE, FERME_CASE}, false},
    {"elle se rouvre", {OUVRE, FERME_BOUTON, OUVRE}, true},
};

TEST(Aide, MontreeEtCachee) {
    for (const scenario_aide& s : scenarios_aide) {
        SCOPED_TRACE(s.nom);
        auto sim = nouveau_simulateur();
        std::string trace_ports;
        for (geste_aide g : s.gestes) {
            Fl_Widget* obj = g == OUVRE          ? static_cast<Fl_Widget*>(sim->SIM->B_AIDE)
                             : g == FERME_BOUTON ? bouton_fermer_aide(*sim->aide)
                                                 : sim->aide->aide;
            capture_erreur trace;
            obj->do_callback(); // the window's own callback hides it and queues it
            EXPECT_EQ(sim->passe(), 1);
            EXPECT_EQ(trace.fin(),
                      "PortA: ppartage_mem 0\nPortB: ppartage_mem 0\nPortC: ppartage_mem 0\n");
        }
        EXPECT_EQ(sim->aide->aide->shown() != 0, s.visible);
        EXPECT_EQ(sim->aide->aide->modal(), 0u);
        if (s.visible) {
            EXPECT_STREQ(sim->aide->aide->label(), "Aide");
        }
        EXPECT_TRUE(sim->SIM->SIM->shown());
    }
}

struct ligne_de_commande {
    const char* nom;
    std::vector<std::string> arguments;
    std::string trace;
    int ident;
};

const ligne_de_commande lignes_de_commande[] = {
    {"sans argument", {}, "", 0},
    {"-automemlink 7", {"-automemlink", "7"}, "-automemlink detecte avec ident memoire= 7\n", 7},
    {"deux fois: la derniere valeur compte",
     {"-automemlink", "3", "-automemlink", "9"},
     "-automemlink detecte avec ident memoire= 3\n-automemlink detecte avec ident memoire= 9\n",
     9},
    {"suivi d'un autre -automemlink, pris pour la valeur",
     {"-automemlink", "-automemlink"},
     "-automemlink detecte avec ident memoire= 0\n",
     0},
    {"valeur qui n'est pas un nombre",
     {"-automemlink", "abc"},
     "-automemlink detecte avec ident memoire= 0\n",
     0},
    {"autres arguments ignores",
     {"prog.bin", "-automemlink", "12", "-x"},
     "-automemlink detecte avec ident memoire= 12\n",
     12},
    {"la casse compte", {"-AUTOMEMLINK", "4"}, "", 0},
};

TEST(LigneDeCommande, OptionAutomemlink) {
    for (const ligne_de_commande& l : lignes_de_commande) {
        SCOPED_TRACE(l.nom);
        std::vector<std::string> textes = l.arguments;
        std::vector<char*> argv{const_cast<char*>("quorvel")};
        for (std::string& t : textes) argv.push_back(&t[0]);
        argv.push_back(nullptr);
        capture_erreur trace;
        int ident = lit_option_automemlink(static_cast<int>(argv.size() - 1), argv.data());
        EXPECT_EQ(trace.fin(), l.trace);
        EXPECT_EQ(ident, l.ident);
    }
}

TEST(LigneDeCommande, LesPortsRecoiventLIdentifiant) {
    for (const char* valeur : {"7", "0"}) {
        auto sim = nouveau_simulateur({"-automemlink", valeur});
        bool lien = std::string(valeur) != "0";
        EXPECT_EQ(sim->portA.ppartage_mem != nullptr, lien) << valeur;
        EXPECT_EQ(sim->portB.ppartage_mem != nullptr, lien) << valeur;
        EXPECT_EQ(sim->portC.ppartage_mem != nullptr, lien) << valeur;
        EXPECT_EQ(sim->portD.ppartage_mem, nullptr);
    }
}

const char* const USAGE = "???\n"
                          "mauvaise utilisation de l'option -automemlink\n"
                          "syntaxe :\n"
                          "\n"
                          "   processus (-automemlink <ident_memoire>)\n"
                          "\n";

struct usage {
    const char* nom;
    std::vector<std::string> arguments;
    std::string trace;
};

const usage usages[] = {
    {"seul", {"-automemlink"}, std::string("-automemlink detecte ") + USAGE},
    {"apres un fichier",
     {"prog.bin", "-automemlink"},
     std::string("-automemlink detecte ") + USAGE},
    {"apres une option complete",
     {"-automemlink", "3", "-automemlink"},
     std::string("-automemlink detecte avec ident memoire= 3\n-automemlink detecte ") + USAGE},
};

TEST(LigneDeCommande, AutomemlinkEnDernierArgument) {
    for (const usage& u : usages) {
        SCOPED_TRACE(u.nom);
        sortie_processus r = execute_quorvel(u.arguments);
        EXPECT_EQ(r.statut, 1);
        EXPECT_EQ(r.erreur, u.trace);
        EXPECT_EQ(r.sortie, "");
    }
}

} // namespace
