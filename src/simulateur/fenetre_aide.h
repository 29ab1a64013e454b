// Where the Help window opens: beside the main window, so that it hides none of the controls that
// it explains.
#ifndef QUORVEL_FENETRE_AIDE_H
#define QUORVEL_FENETRE_AIDE_H

class Fl_Window;
class aide_class;

struct rectangle {
    int x, y, w, h;
};

// The window manager's frame around a window's client area, in pixels.
struct cadre {
    int gauche, droite, haut, bas;
};

constexpr int AIDE_LARGEUR = 610;
constexpr int AIDE_HAUTEUR = 480;
constexpr int AIDE_LARGEUR_MIN = 360;

// The Help window's client area, given the screen's work area and the main window's client area
// (the Help window is assumed to get the same frame as the main window). To the right of the main
// window if at least AIDE_LARGEUR_MIN fits there, else to its left, as wide as the room allows up
// to AIDE_LARGEUR; with less room on both sides, at full width against the screen's right edge.
// Its top is the main window's, moved up if it would pass the screen's bottom.
rectangle place_aide(const rectangle& ecran, const rectangle& principale, const cadre& bords);

// Lays the Help window out beside the main window, wraps its text to the width it gets, and
// shows it (not modal).
void montre_fenetre_aide(aide_class& aide, Fl_Window* principale);

#endif
