#include "modales.h"

#include "outils.h"

#include <FL/Fl.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Window.H>

#include <unistd.h>

namespace {

void parcourt(Fl_Group* groupe, reponse_modale& r, Fl_Input*& saisie, Fl_Widget*& bouton) {
    for (int i = 0; i < groupe->children(); i++) {
        Fl_Widget* w = groupe->child(i);
        if (w->label()) r.textes += std::string(w->label()) + "\n";
        Fl_Input* s = dynamic_cast<Fl_Input*>(w);
        if (s && !saisie) saisie = s;
        if (r.bouton && w->label() && std::string(w->label()) == r.bouton && !bouton) bouton = w;
        if (w->as_group()) parcourt(w->as_group(), r, saisie, bouton);
    }
}

void repond(void* donnees) {
    reponse_modale& r = *static_cast<reponse_modale*>(donnees);
    Fl_Window* modale = Fl::modal();
    if (!modale) {
        if (++r.attentes < 250) Fl::repeat_timeout(0.02, repond, donnees); // not up yet
        return;
    }
    r.vue = true;
    r.titre = modale->label() ? modale->label() : "";
    Fl_Input* saisie = nullptr;
    Fl_Widget* bouton = nullptr;
    parcourt(modale, r, saisie, bouton);
    if (saisie && r.saisie) saisie->value(r.saisie);
    if (bouton)
        bouton->do_callback();
    else
        modale->hide();
    if (r.suivante) repond_a_la_prochaine_modale(*r.suivante);
    reveille();
}

} // namespace

void repond_a_la_prochaine_modale(reponse_modale& r) {
    Fl::add_timeout(0.05, repond, &r);
}
