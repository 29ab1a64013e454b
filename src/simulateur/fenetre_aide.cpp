#include "fenetre_aide.h"

#include "interface.h"
#include "texte_aide.h"

#include <FL/Fl.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Double_Window.H>
#include <FL/forms.H>

#include <algorithm>

rectangle place_aide(const rectangle& ecran, const rectangle& principale, const cadre& bords) {
    int cote = bords.gauche + bords.droite;
    int gauche_principale = principale.x - bords.gauche;
    int droite_principale = principale.x + principale.w + bords.droite;
    int place_droite = ecran.x + ecran.w - droite_principale - cote;
    int place_gauche = gauche_principale - ecran.x - cote;

    rectangle r{0, 0, AIDE_LARGEUR, AIDE_HAUTEUR};
    if (place_droite >= AIDE_LARGEUR_MIN) {
        r.w = std::min(AIDE_LARGEUR, place_droite);
        r.x = droite_principale + bords.gauche;
    } else if (place_gauche >= AIDE_LARGEUR_MIN) {
        r.w = std::min(AIDE_LARGEUR, place_gauche);
        r.x = gauche_principale - bords.droite - r.w;
    } else {
        r.w = std::max(AIDE_LARGEUR_MIN, std::min(AIDE_LARGEUR, ecran.w - cote));
        r.x = ecran.x + ecran.w - bords.droite - r.w;
    }
    int bas_ecran = ecran.y + ecran.h - bords.bas - r.h;
    r.y = std::max(ecran.y + bords.haut, std::min(principale.y, bas_ecran));
    return r;
}

namespace {

// The main window's frame as the window manager drew it, the side borders taken as equal. The
// toolkit keeps at least a 1-pixel frame and a 20-pixel title bar on screen when it maps a window
// that has a border, even without a window manager: never less than that.
cadre cadre_de(Fl_Window* fenetre) {
    int cote = std::max(1, (fenetre->decorated_w() - fenetre->w()) / 2);
    int haut = std::max(20, fenetre->decorated_h() - fenetre->h() - cote);
    return {cote, cote, haut, cote};
}

} // namespace

void montre_fenetre_aide(aide_class& aide, Fl_Window* principale) {
    rectangle p{principale->x(), principale->y(), principale->w(), principale->h()};
    rectangle ecran;
    Fl::screen_work_area(ecran.x, ecran.y, ecran.w, ecran.h, p.x + p.w / 2, p.y + p.h / 2);
    rectangle r = place_aide(ecran, p, cadre_de(principale));
    aide.dispose(r.w);
    // The browser measures each line in its fonts: done at start-up, that would open fonts before
    // the main window could be shown. Wrapped again only when the width changes, which keeps the
    // reader's place.
    if (aide.largeur_texte != r.w) {
        remplit_texte_aide(aide.TEXTE_AIDE);
        aide.largeur_texte = r.w;
    }
    aide.aide->position(r.x, r.y);
    fl_show_form(aide.aide, FL_PLACE_POSITION, FL_FULLBORDER, "Aide");
}
