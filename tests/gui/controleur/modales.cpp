#include "modales.h"

#include <FL/Fl.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Window.H>

#include <unistd.h>

namespace {

// A person's click reaches the toolkit's wait as an X event, which ends the wait; a change made
// from a timeout does not. A byte on a pipe watched by the toolkit plays the part of that event.
int reveil[2] = {-1, -1};

void vide_reveil(int fd, void*) {
    char octet;
    if (read(fd, &octet, 1) < 0) return;
}

void reveille() {
    if (reveil[1] < 0) {
        if (pipe(reveil) != 0) return;
        Fl::add_fd(reveil[0], FL_READ, vide_reveil);
    }
    if (write(reveil[1], "r", 1) < 0) return;
}

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
