#include "touches.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>

namespace {

constexpr int MODIFICATEURS = FL_SHIFT | FL_CTRL | FL_ALT | FL_META;

SIM_class* fenetre_des_touches = nullptr;
Fl_Event_Dispatch aiguillage_precedent = nullptr;

Fl_Button* cree_widget_cache(Fl_Double_Window* fenetre) {
    Fl_Button* w = new Fl_Button(0, 0, 0, 0);
    fenetre->add(w);
    w->hide();
    return w;
}

// Seen before any widget: an input with the focus would take a key as typing, or use it as one
// of its own editing keys.
int aiguille(int evenement, Fl_Window* fenetre) {
    if (evenement == FL_KEYBOARD && fenetre_des_touches && !Fl::modal() && !Fl::grab()) {
        Fl_Button* w = widget_de_touche(*fenetre_des_touches, Fl::event_key(), Fl::event_state());
        if (w) {
            w->do_callback();
            return 1;
        }
    }
    if (aiguillage_precedent) return aiguillage_precedent(evenement, fenetre);
    return Fl::handle_(evenement, fenetre);
}

} // namespace

// One row per key.
// clang-format off
const touche_clavier touches_clavier[] = {
    {FL_F + 5,  0,       &SIM_class::B_PLAY,     "Execution (F5)"},
    {FL_F + 7,  0,       &SIM_class::B_STEP,     "Pas a pas (F7)"},
    {FL_F + 8,  0,       &SIM_class::B_RETOUR,   "Retour arriere (F8)"},
    {FL_F + 9,  0,       &SIM_class::K_POINT_PC, nullptr},
    {FL_F + 9,  FL_SHIFT, &SIM_class::K_EFFACE_POINTS, nullptr},
    {FL_F + 11, 0,       &SIM_class::B_STOP,     "Arret (F11)"},
    {FL_F + 12, 0,       &SIM_class::B_RESET,    "Reinitialisation (F12)"},
    {'o',       FL_CTRL, &SIM_class::K_OUVRIR,   nullptr},
    {'r',       FL_CTRL, &SIM_class::K_RECHARGE, nullptr},
    {'g',       FL_CTRL, &SIM_class::K_ALLER,    nullptr},
    {'b',       FL_CTRL, &SIM_class::K_POINT_ADRESSE, nullptr},
};
// clang-format on
const int nb_touches_clavier = sizeof touches_clavier / sizeof touches_clavier[0];

Fl_Button* widget_de_touche(const SIM_class& fenetre, int touche, int etat) {
    for (int n = 0; n < nb_touches_clavier; n++) {
        const touche_clavier& t = touches_clavier[n];
        if (t.touche == touche && t.modificateurs == (etat & MODIFICATEURS))
            return fenetre.*t.widget;
    }
    return nullptr;
}

void cree_touches_chargement(SIM_class& fenetre) {
    fenetre.K_OUVRIR = cree_widget_cache(fenetre.SIM);
    fenetre.K_RECHARGE = cree_widget_cache(fenetre.SIM);
    fenetre.K_ALLER = cree_widget_cache(fenetre.SIM);
    for (int n = 0; n < nb_touches_clavier; n++) {
        const touche_clavier& t = touches_clavier[n];
        if (t.bulle && fenetre.*t.widget) (fenetre.*t.widget)->tooltip(t.bulle);
    }
}

void installe_touches(SIM_class* fenetre) {
    if (!fenetre_des_touches) {
        aiguillage_precedent = Fl::event_dispatch();
        Fl::event_dispatch(aiguille);
    }
    fenetre_des_touches = fenetre;
}

void retire_touches() {
    if (!fenetre_des_touches) return;
    Fl::event_dispatch(aiguillage_precedent);
    aiguillage_precedent = nullptr;
    fenetre_des_touches = nullptr;
}
