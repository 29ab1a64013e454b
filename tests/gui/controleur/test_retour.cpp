// Step back in the window: B_RETOUR's pass stops run mode, undoes the last instruction together
// with the edits made after it, tells how many remain, and shows the restored machine at once.
// First: the toolkit's headers bring X11 macros (None, Bool) that clash with GoogleTest's names.
#include <gtest/gtest.h>

#include "outils_debogage.h"

#include <FL/Fl_Button.H>
#include <FL/Fl_Input.H>

#include <string>
#include <vector>

namespace {

// What a person does, one pass each.
enum geste {
    PAS,
    RETOUR,
    PLAY,
    PASSE,     // a pass with nothing queued (a step in run mode)
    TAPE_A,    // $77 typed into A, read back by the pass of another widget
    REMPLIT40, // $09 into $40 with the fill inputs
    BIT_B0,    // port B's switch 0 clicked
    RESET,
    CHARGE, // the counter loaded again
};

void fait(simulateur& sim, geste g) {
    switch (g) {
    case PAS: passe_avec(sim, sim.SIM->B_STEP); break;
    case RETOUR: passe_avec(sim, sim.SIM->B_RETOUR); break;
    case PLAY: passe_avec(sim, sim.SIM->B_PLAY); break;
    case PASSE: sim.passe(); break;
    case TAPE_A:
        sim.SIM->REG_A_HEX->value("77");
        passe_avec(sim, sim.SIM->REG_A_HEX);
        break;
    case REMPLIT40: remplit(sim, "$40", "9", "1"); break;
    case BIT_B0: passe_avec(sim, sim.portB.ES[0]); break;
    case RESET: passe_avec(sim, sim.SIM->B_RESET); break;
    case CHARGE: charge(sim, COMPTEUR); break;
    }
}

struct cas_retour {
    const char* nom;
    std::vector<geste> gestes;
    std::vector<std::string> lignes; // the "retour arriere" lines of the console, in order
    int play;
};

const cas_retour cas_retours[] = {
    {"rien a defaire au depart", {RETOUR}, {"retour arriere: rien a defaire"}, 0},
    {"trois pas, deux retours",
     {PAS, PAS, PAS, RETOUR, RETOUR},
     {"retour arriere: encore 2 pas", "retour arriere: encore 1 pas"},
     0},
    {"tout defaire, puis plus rien",
     {PAS, PAS, RETOUR, RETOUR, RETOUR},
     {"retour arriere: encore 1 pas", "retour arriere: encore 0 pas",
      "retour arriere: rien a defaire"},
     0},
    {"en mode continu: le retour l'arrete d'abord",
     {PLAY, PASSE, PASSE, PASSE, RETOUR, PASSE},
     {"retour arriere: encore 2 pas"},
     0},
    {"registre tape apres le pas", {PAS, TAPE_A, RETOUR}, {"retour arriere: encore 0 pas"}, 0},
    {"remplissage apres le pas",
     {PAS, PAS, PAS, REMPLIT40, RETOUR},
     {"retour arriere: encore 2 pas"},
     0},
    {"interrupteur clique apres le pas",
     {PAS, BIT_B0, RETOUR},
     {"retour arriere: encore 0 pas"},
     0},
    {"reset apres le pas", {PAS, PAS, RESET, RETOUR}, {"retour arriere: encore 1 pas"}, 0},
    {"un chargement commence un nouvel historique",
     {PAS, PAS, CHARGE, RETOUR},
     {"retour arriere: rien a defaire"},
     0},
    {"les pas refaits apres un retour se defont aussi",
     {PAS, PAS, RETOUR, PAS, PAS, RETOUR, RETOUR},
     {"retour arriere: encore 1 pas", "retour arriere: encore 2 pas",
      "retour arriere: encore 1 pas"},
     0},
};

TEST(RetourArriere, DefaitLeDernierPasEtSesModifications) {
    for (const cas_retour& c : cas_retours) {
        SCOPED_TRACE(c.nom);
        auto sim = nouveau_simulateur();
        charge(*sim, COMPTEUR);
        capture_erreur silence;
        std::vector<etat_session> avant; // the session before each pass that made a step
        std::vector<std::string> lignes_retour;
        for (geste g : c.gestes) {
            etat_session e(sim->session);
            capture_erreur trace;
            fait(*sim, g);
            for (const std::string& l : lignes(trace.fin()))
                if (l.rfind("retour arriere:", 0) == 0) lignes_retour.push_back(l);
            if (g == CHARGE) avant.clear();
            if (sim->session.compteur_pas == e.compteur_pas + 1 && g != RETOUR) avant.push_back(e);
            if (g != RETOUR || avant.empty() ||
                lignes_retour.back().find("rien") != std::string::npos)
                continue;
            EXPECT_EQ(ecart(etat_session(sim->session), avant.back()), "");
            EXPECT_EQ(ecart_vues(*sim), "") << "the views show the restored machine at once";
            avant.pop_back();
        }
        EXPECT_EQ(lignes_retour, c.lignes);
        EXPECT_EQ(sim->play, c.play);
        // The register inputs hold the restored values: the next pass reads them back unchanged.
        etat_session fin(sim->session);
        passe_avec(*sim, sim->SIM->B_AIDE);
        EXPECT_EQ(ecart(etat_session(sim->session), fin), "") << "no stale text read back";
    }
}

// The console of a step back: its line, then the drawing, then the ports as in every pass.
TEST(RetourArriere, TraceDeLaPasse) {
    auto sim = nouveau_simulateur();
    charge(*sim, COMPTEUR);
    capture_erreur silence;
    passe_avec(*sim, sim->SIM->B_STEP);
    capture_erreur trace;
    passe_avec(*sim, sim->SIM->B_RETOUR);
    std::vector<std::string> l = lignes(trace.fin());
    ASSERT_GE(l.size(), 4u);
    EXPECT_EQ(l.front(), "retour arriere: encore 0 pas");
    EXPECT_EQ(std::vector<std::string>(l.end() - 3, l.end()),
              (std::vector<std::string>{"PortA: ppartage_mem 0", "PortB: ppartage_mem 0",
                                        "PortC: ppartage_mem 0"}));
    EXPECT_STREQ(sim->point_desa[0]->label(), "-> 0 LOAD 64");
}

} // namespace
