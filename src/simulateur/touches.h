// The keyboard: each key stands for a widget of the main window, a button or a hidden widget, and
// queues it as a click would, so that it goes through a pass of the command loop.
#ifndef QUORVEL_TOUCHES_H
#define QUORVEL_TOUCHES_H

#include "interface.h"

class Fl_Button;

struct touche_clavier {
    int touche;        // as Fl::event_key() names it: FL_F + n, or a lower-case letter
    int modificateurs; // exactly these of FL_SHIFT, FL_CTRL, FL_ALT, FL_META are held
    Fl_Button* SIM_class::*widget;
    const char* bulle; // the button's tooltip, which names its key; null for a hidden widget
};

extern const touche_clavier touches_clavier[];
extern const int nb_touches_clavier;

// The widget that the key stands for in the window, or null.
Fl_Button* widget_de_touche(const SIM_class& fenetre, int touche, int etat);

// The hidden widgets of the loading keys, after the window's other children; then the tooltips
// of the buttons that have a key.
void cree_touches_chargement(SIM_class& fenetre);

// From now on the keys of the table act on this window's widgets, whatever widget has the focus,
// unless a modal window or a menu is up; retire_touches undoes it.
void installe_touches(SIM_class* fenetre);
void retire_touches();

#endif
