// The debugging widgets as built, and the speed of run mode: the pace of its steps, the passes
// that wait for the next one, and the passes with an object while a step is not due.
// First: the toolkit's headers bring X11 macros (None, Bool) that clash with GoogleTest's names.
#include <gtest/gtest.h>

#include "outils_debogage.h"

#include <FL/Fl_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Menu_Item.H>

#include <string>
#include <vector>

namespace {

struct widget_debogage {
    const char* nom;
    Fl_Widget* (*lit)(const SIM_class&);
    bool visible;
    int x, y, w, h;
    const char* label;
    const char* bulle; // tooltip
};

#define CHAMP(nom) #nom, [](const SIM_class& s) -> Fl_Widget* { return s.nom; }

// clang-format off
const widget_debogage widgets[] = {
    {CHAMP(B_RETOUR),        true,  180, 360, 40,  40, "@$->|",   "Retour arriere (F8)"},
    {CHAMP(VITESSE),         true,  480, 258, 110, 24, "Vitesse", "Vitesse du mode continu"},
    {CHAMP(K_POINT_PC),      false, 0,   0,   0,   0,  "Point d'arret sur PC (F9)", nullptr},
    {CHAMP(K_POINT_ADRESSE), false, 0,   0,   0,   0,  "Point d'arret a une adresse (Ctrl+B)", nullptr},
    {CHAMP(K_EFFACE_POINTS), false, 0,   0,   0,   0,  "Effacer les points d'arret (Maj+F9)", nullptr},
};
// clang-format on

// They follow the window's 97 children in this order, and reach the loop by its object queue.
TEST(WidgetsDebogage, ApresLesPorts) {
    auto sim = nouveau_simulateur();
    Fl_Double_Window* fenetre = sim->SIM->SIM;
    for (int n = 0; n < 5; n++) {
        const widget_debogage& a = widgets[n];
        SCOPED_TRACE(a.nom);
        Fl_Widget* w = a.lit(*sim->SIM);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(fenetre->find(w), 97 + n);
        EXPECT_EQ(w->visible() != 0, a.visible);
        EXPECT_EQ(w->x(), a.x);
        EXPECT_EQ(w->y(), a.y);
        EXPECT_EQ(w->w(), a.w);
        EXPECT_EQ(w->h(), a.h);
        EXPECT_STREQ(w->label(), a.label);
        EXPECT_STREQ(w->tooltip(), a.bulle);
        EXPECT_EQ(w->callback(), Fl_Widget::default_callback);
    }
    // The step-back button beside the step button, in its style; the speed in the frame of the
    // ports, right of PortC.
    EXPECT_EQ(sim->SIM->B_RETOUR->labelsize(), sim->SIM->B_STEP->labelsize());
    EXPECT_EQ(sim->SIM->B_RETOUR->labelcolor(), sim->SIM->B_STEP->labelcolor());
    EXPECT_GE(sim->SIM->VITESSE->x() - 60, 300 + 80) << "its label clears PortC";
    EXPECT_LE(sim->SIM->VITESSE->x() + sim->SIM->VITESSE->w(), 20 + 610);
}

TEST(WidgetsDebogage, ChoixDeVitesse) {
    auto sim = nouveau_simulateur();
    Fl_Choice* v = sim->SIM->VITESSE;
    const char* const textes[] = {"max",      "1000 pas/s", "100 pas/s",
                                  "20 pas/s", "5 pas/s",    "1 pas/s"};
    const int valeurs[] = {0, 1000, 100, 20, 5, 1};
    ASSERT_EQ(v->size(), NB_VITESSES + 1) << "the items and the end mark";
    EXPECT_EQ(v->value(), 0) << "max at first";
    EXPECT_EQ(sim->cadence_pas.vitesse(), 0);
    capture_erreur silence;
    for (int n = 0; n < NB_VITESSES; n++) {
        EXPECT_STREQ(v->menu()[n].label(), textes[n]);
        EXPECT_EQ(vitesses_choix[n], valeurs[n]);
        EXPECT_EQ(v->menu()[n].callback(), nullptr) << "choosing queues VITESSE itself";
        v->value(n);
        capture_erreur trace;
        passe_avec(*sim, v);
        // A change is a widget's pass like any other: registers read back, ports, nothing more.
        EXPECT_EQ(trace.fin(),
                  "PortA: ppartage_mem 0\nPortB: ppartage_mem 0\nPortC: ppartage_mem 0\n");
        EXPECT_EQ(sim->cadence_pas.vitesse(), valeurs[n]) << textes[n];
    }
}

struct cas_cadence {
    const char* nom;
    int vitesse;
    std::vector<double> pas; // times of the steps noted
    double maintenant;
    double reste;
};

const cas_cadence cas_cadences[] = {
    {"sans limite: toujours du", 0, {10.0}, 10.0, 0},
    {"premier pas: du tout de suite", 5, {}, 10.0, 0},
    {"5/s: 0,2 s apres le precedent", 5, {10.0}, 10.05, 0.15},
    {"5/s: a l'heure", 5, {10.0}, 10.2, 0},
    {"en retard: pas de rattrapage", 5, {10.0, 12.0}, 12.1, 0.1},
    {"1/s", 1, {10.0}, 10.25, 0.75},
    {"1000/s", 1000, {10.0}, 10.0, 0.001},
};

TEST(Cadence, ProchainPasDu) {
    for (const cas_cadence& c : cas_cadences) {
        SCOPED_TRACE(c.nom);
        cadence k;
        k.regle(c.vitesse);
        for (double t : c.pas) k.note_pas(t);
        EXPECT_NEAR(k.reste(c.maintenant), c.reste, 1e-9);
    }
}

// Run mode at 5 steps per second, pass by pass. "Du" makes the next step due by moving the
// previous one a second back, instead of waiting for it.
enum geste { PLAY, PASSE, DU, DESA_U, PAS, STOP, MAX };

void fait(simulateur& sim, geste g) {
    switch (g) {
    case PLAY: passe_avec(sim, sim.SIM->B_PLAY); break;
    case PASSE: sim.passe(); break;
    case DU: sim.cadence_pas.note_pas(cadence::horloge() - 1); break;
    case DESA_U: passe_avec(sim, sim.SIM->DESA_U); break;
    case PAS: passe_avec(sim, sim.SIM->B_STEP); break;
    case STOP: passe_avec(sim, sim.SIM->B_STOP); break;
    case MAX:
        sim.SIM->VITESSE->value(0);
        passe_avec(sim, sim.SIM->VITESSE);
        break;
    }
}

struct cas_vitesse {
    const char* nom;
    std::vector<geste> gestes;
    uint64_t pas;
    int a_refaire; // lines "a refaire" written: the tests after test 4 ran
};

const cas_vitesse cas_vitesses[] = {
    {"le premier pas du mode continu ne tarde pas", {PLAY, PASSE}, 1, 0},
    {"avant l'heure, la passe sans objet attend et finit", {PLAY, PASSE, PASSE}, 1, 0},
    {"a l'heure, le pas suivant", {PLAY, PASSE, PASSE, DU, PASSE}, 2, 0},
    {"un objet avant l'heure: ses tests, sans le pas", {PLAY, PASSE, DESA_U}, 1, 1},
    {"un objet a l'heure: ses tests et le pas", {PLAY, PASSE, DU, DESA_U}, 2, 1},
    {"le bouton pas a pas n'attend pas", {PLAY, PASSE, PAS, PAS}, 3, 0},
    {"a l'arret, rien", {PLAY, PASSE, STOP, DU, PASSE}, 1, 0},
    // The pass of VITESSE itself is not due yet: the speed changes after test 4.
    {"retour a max: un pas par passe", {PLAY, PASSE, MAX, PASSE, PASSE, PASSE}, 4, 0},
};

TEST(Vitesse, CinqPasParSeconde) {
    for (const cas_vitesse& c : cas_vitesses) {
        SCOPED_TRACE(c.nom);
        auto sim = nouveau_simulateur();
        capture_erreur silence;
        sim->memoire.efface(0x7C); // NOP everywhere
        sim->SIM->VITESSE->value(4);
        passe_avec(*sim, sim->SIM->VITESSE);
        ASSERT_EQ(sim->cadence_pas.vitesse(), 5);
        capture_erreur trace;
        for (geste g : c.gestes) fait(*sim, g);
        std::vector<std::string> l = lignes(trace.fin());
        EXPECT_EQ(sim->session.compteur_pas, c.pas);
        EXPECT_EQ(compte(l, "a refaire"), c.a_refaire);
    }
}

// A pass that waits for the step returns 1 (the loop must not wait again on its own) and writes
// nothing: it ends before the registers are read back.
TEST(Vitesse, LaPasseQuiAttendNeFaitRienDAutre) {
    auto sim = nouveau_simulateur();
    capture_erreur silence;
    sim->memoire.efface(0x7C);
    sim->SIM->VITESSE->value(4); // 5 steps per second
    passe_avec(*sim, sim->SIM->VITESSE);
    passe_avec(*sim, sim->SIM->B_PLAY);
    sim->passe();
    ASSERT_EQ(sim->session.compteur_pas, 1u);
    sim->SIM->REG_PC_HEX->value("40");
    capture_erreur trace;
    EXPECT_EQ(sim->passe(), 1);
    EXPECT_EQ(trace.fin(), "");
    EXPECT_EQ(sim->inter.PC_value(), 1) << "the registers were not read back";
    EXPECT_EQ(sim->session.compteur_pas, 1u);
}

} // namespace
