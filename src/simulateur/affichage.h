// Widget updates that reach the X server only when something visible changes. In run mode every
// view is rewritten at every pass; most texts are the same as before, and each needless redraw
// would cost the server (the bottleneck) real time.
#ifndef QUORVEL_AFFICHAGE_H
#define QUORVEL_AFFICHAGE_H

#include <FL/forms.H>

#include <cstring>

inline void pose_label(Fl_Widget* widget, const char* texte) {
    const char* actuel = widget->label();
    if (actuel && std::strcmp(actuel, texte) == 0) return;
    widget->copy_label(texte);
}

inline void pose_couleurs(Fl_Widget* widget, Fl_Color couleur, Fl_Color selection) {
    if (widget->color() == couleur && widget->selection_color() == selection) return;
    fl_set_object_color(widget, couleur, selection);
    widget->redraw();
}

inline void pose_taille_label(Fl_Widget* widget, int taille) {
    if (widget->labelsize() == taille) return;
    fl_set_object_lsize(widget, taille);
    widget->redraw();
}

inline void pose_couleur_label(Fl_Widget* widget, Fl_Color couleur) {
    if (widget->labelcolor() == couleur) return;
    widget->labelcolor(couleur);
    widget->redraw();
}

inline void pose_couleur_texte(Fl_Input* saisie, Fl_Color couleur) {
    if (saisie->textcolor() == couleur) return;
    saisie->textcolor(couleur);
    saisie->redraw();
}

inline void pose_saisie(Fl_Widget* saisie, const char* texte) {
    if (std::strcmp(fl_get_input(saisie), texte) == 0) return;
    fl_set_input(saisie, texte);
}

#endif
