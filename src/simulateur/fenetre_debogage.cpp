// The debugging widgets of the main window: the step-back button beside the step button, the
// speed of run mode right of PortC, and the hidden widgets that keys queue. Like every other
// widget they keep the default callback: the command loop finds them in the object queue.
#include "interface.h"

#include <FL/Fl_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Menu_Item.H>

const int vitesses_choix[NB_VITESSES] = {0, 1000, 100, 20, 5, 1};

namespace {

// In the order of vitesses_choix. The items carry no callback of their own, so that choosing one
// queues the VITESSE widget itself.
Fl_Menu_Item items_vitesse[NB_VITESSES + 1] = {
    {"max", 0, nullptr, nullptr, 0, 0, 0, 0, 0},
    {"1000 pas/s", 0, nullptr, nullptr, 0, 0, 0, 0, 0},
    {"100 pas/s", 0, nullptr, nullptr, 0, 0, 0, 0, 0},
    {"20 pas/s", 0, nullptr, nullptr, 0, 0, 0, 0, 0},
    {"5 pas/s", 0, nullptr, nullptr, 0, 0, 0, 0, 0},
    {"1 pas/s", 0, nullptr, nullptr, 0, 0, 0, 0, 0},
    {nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0},
};

// A widget that only a key can queue: no place, never shown.
Fl_Button* cache(const char* label) {
    Fl_Button* bouton = new Fl_Button(0, 0, 0, 0, label);
    bouton->hide();
    return bouton;
}

} // namespace

void SIM_class::ajoute_debogage() {
    SIM->begin();
    // The step button's symbol, mirrored, in its colour and size.
    B_RETOUR = new Fl_Button(180, 360, 40, 40, "@$->|");
    B_RETOUR->labelsize(24);
    B_RETOUR->labelcolor(62);

    VITESSE = new Fl_Choice(480, 258, 110, 24, "Vitesse");
    VITESSE->menu(items_vitesse);
    VITESSE->value(0);
    VITESSE->tooltip("Vitesse du mode continu");

    K_POINT_PC = cache("Point d'arret sur PC (F9)");
    K_POINT_ADRESSE = cache("Point d'arret a une adresse (Ctrl+B)");
    K_EFFACE_POINTS = cache("Effacer les points d'arret (Maj+F9)");
    SIM->end();
}
