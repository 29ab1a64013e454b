#include "periph.h"

#include "affichage.h"
#include "interface.h"
#include "stringpp.h"

#include <FL/Fl_Double_Window.H>
#include <FL/forms.H>

const Fl_Color COULEUR_SORTIE_0 = fl_rgb_color(120, 0, 0);
const Fl_Color COULEUR_SORTIE_1 = FL_RED;
const Fl_Color COULEUR_ENTREE_0 = fl_rgb_color(0, 110, 0);
const Fl_Color COULEUR_ENTREE_1 = FL_GREEN;

namespace {

// By direction (output, input) and bit.
const char* const bulles[2][8] = {
    {"bit 0, sortie", "bit 1, sortie", "bit 2, sortie", "bit 3, sortie", "bit 4, sortie",
     "bit 5, sortie", "bit 6, sortie", "bit 7, sortie"},
    {"bit 0, entree (clic: inverse)", "bit 1, entree (clic: inverse)",
     "bit 2, entree (clic: inverse)", "bit 3, entree (clic: inverse)",
     "bit 4, entree (clic: inverse)", "bit 5, entree (clic: inverse)",
     "bit 6, entree (clic: inverse)", "bit 7, entree (clic: inverse)"},
};

Fl_Widget* ajoute_titre(int x, int y, const std::string& nom) {
    Fl_Widget* titre = fl_add_text(FL_NO_BOX, x, y, 80, 20, nullptr);
    titre->copy_label(nom.c_str());
    fl_set_object_lsize(titre, 18);
    fl_set_object_lalign(titre, FL_ALIGN_INSIDE);
    fl_set_object_lstyle(titre, FL_HELVETICA_BOLD);
    return titre;
}

Fl_Widget* ajoute_affichage(int x, int y) {
    Fl_Widget* affichage = fl_add_text(FL_NO_BOX, x, y, 80, 20, "00");
    fl_set_object_boxtype(affichage, FL_DOWN_BOX);
    fl_set_object_lsize(affichage, FL_NORMAL_SIZE);
    fl_set_object_lalign(affichage, FL_ALIGN_INSIDE);
    return affichage;
}

} // namespace

portparallele::portparallele() : portparallele(propre) {}

// propre is constructed before port is bound, whichever logic is chosen.
portparallele::portparallele(port_machine& logique)
    : SIM(nullptr), ES{}, memoire(nullptr), port(logique), ppartage_mem(logique.ppartage_mem),
      valeur(logique.valeur), direction(logique.direction), x_port_valeur(0), y_port_valeur(0),
      obj_port_valeur(nullptr), x_port_direction(0), y_port_direction(0),
      obj_port_direction(nullptr) {}

void portparallele::configure(SIM_class* fd_sim_param, int x_port_valeur_param,
                              int y_port_valeur_param, const char* nom_port_valeur_param,
                              uint16_t adresse_port_valeur_param, int x_port_direction_param,
                              int y_port_direction_param, const char* nom_port_direction_param,
                              uint16_t adresse_port_direction_param,
                              uint8_t masque_forc_sortie_param, uint8_t masque_forc_entree_param,
                              mem_64k* memoire_param, int ident_partage_memoire_param) {
    SIM = fd_sim_param->SIM;
    port.lie(ident_partage_memoire_param);
    port.configure(nom_port_valeur_param, adresse_port_valeur_param, nom_port_direction_param,
                   adresse_port_direction_param, masque_forc_sortie_param, masque_forc_entree_param,
                   memoire_param);
    memoire = memoire_param;
    x_port_valeur = x_port_valeur_param;
    y_port_valeur = y_port_valeur_param;
    x_port_direction = x_port_direction_param;
    y_port_direction = y_port_direction_param;

    fl_addto_form(SIM);
    ajoute_titre(x_port_valeur, y_port_valeur, port.nom_port_valeur);
    obj_port_valeur = ajoute_affichage(x_port_valeur, y_port_valeur + 20);
    for (int n = 0; n < 8; n++) {
        // Bit 7 leftmost, so that the row reads like the binary text above it.
        ES[n] = fl_add_button(FL_NORMAL_BUTTON, x_port_valeur + 70 - 10 * n, y_port_valeur + 40, 10,
                              10, "");
        fl_set_object_boxtype(ES[n], FL_EMBOSSED_BOX);
    }
    if (!port.nom_port_direction.empty()) {
        ajoute_titre(x_port_direction, y_port_direction, port.nom_port_direction);
        obj_port_direction = ajoute_affichage(x_port_direction, y_port_direction + 20);
    }
    fl_end_form();
    maj_etat_boutons();
}

void portparallele::maj_etat_boutons() {
    port.maj_direction();
    affiche_direction();
}

int portparallele::react_in(Fl_Widget* obj) {
    int bit = -1;
    for (int n = 0; n < 8; n++)
        if (obj && obj == ES[n]) bit = n;
    int resultat = port.react_in(bit);
    affiche();
    return resultat;
}

void portparallele::react_out() {
    port.react_out(); // the direction included
    affiche();
}

void portparallele::maj_boutons() {
    uint8_t bits = port.memoire->read_byte(port.adresse_port_valeur);
    for (int n = 0; n < 8; n++) {
        bool entree = port.est_entree(n);
        bool allume = bits >> n & 1;
        Fl_Color c = entree ? (allume ? COULEUR_ENTREE_1 : COULEUR_ENTREE_0)
                            : (allume ? COULEUR_SORTIE_1 : COULEUR_SORTIE_0);
        pose_couleurs(ES[n], c, c);
        // Texts that live as long as the program: the toolkit keeps the pointer, and a pass
        // compares pointers only.
        if (ES[n]->tooltip() != bulles[entree][n]) ES[n]->tooltip(bulles[entree][n]);
    }
}

void portparallele::affiche_direction() {
    maj_boutons();
    if (!port.nom_port_direction.empty())
        pose_label(obj_port_direction, bin8toS(port.direction).c_str());
}

void portparallele::affiche() {
    pose_label(obj_port_valeur, bin8toS(port.valeur).c_str());
    affiche_direction();
}
