#include "periph.h"

#include "affichage.h"
#include "console.h"
#include "interface.h"
#include "stringpp.h"

#include <FL/Fl_Double_Window.H>
#include <FL/forms.H>

#include <cstdio>
#include <cstring>

namespace {

// Bit n's signal on the link: the port's name followed by n.
std::string nom_signal(const std::string& nom_port, int n) {
    return nom_port + unslong2S(static_cast<uint32_t>(n));
}

// The address as the standard streams write an untyped pointer: "0" when null, else as "%p".
void ecrit_adresse(char* tampon, size_t taille, const void* adresse) {
    if (adresse)
        std::snprintf(tampon, taille, "%p", adresse);
    else
        std::snprintf(tampon, taille, "0");
}

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

portparallele::portparallele()
    : SIM(nullptr), ES{}, memoire(nullptr), ppartage_mem(nullptr), valeur(0), direction(0),
      masque_forc_sortie(0), masque_forc_entree(0), x_port_valeur(0), y_port_valeur(0),
      adresse_port_valeur(0), obj_port_valeur(nullptr), x_port_direction(0), y_port_direction(0),
      adresse_port_direction(0), obj_port_direction(nullptr) {}

portparallele::~portparallele() {
    delete ppartage_mem;
}

void portparallele::configure(SIM_class* fd_sim_param, int x_port_valeur_param,
                              int y_port_valeur_param, const char* nom_port_valeur_param,
                              uint16_t adresse_port_valeur_param, int x_port_direction_param,
                              int y_port_direction_param, const char* nom_port_direction_param,
                              uint16_t adresse_port_direction_param,
                              uint8_t masque_forc_sortie_param, uint8_t masque_forc_entree_param,
                              mem_64k* memoire_param, int ident_partage_memoire_param) {
    SIM = fd_sim_param->SIM;
    if (ident_partage_memoire_param != 0)
        ppartage_mem = new IOsharemem_client(ident_partage_memoire_param);
    x_port_valeur = x_port_valeur_param;
    y_port_valeur = y_port_valeur_param;
    nom_port_valeur = nom_port_valeur_param;
    adresse_port_valeur = adresse_port_valeur_param;
    x_port_direction = x_port_direction_param;
    y_port_direction = y_port_direction_param;
    nom_port_direction = nom_port_direction_param;
    adresse_port_direction = adresse_port_direction_param;
    memoire = memoire_param;
    masque_forc_sortie = masque_forc_sortie_param;
    masque_forc_entree = masque_forc_entree_param;

    memoire->write_byte(adresse_port_valeur, 0xFF);
    if (!nom_port_direction.empty())
        memoire->write_byte(adresse_port_direction, masque_forc_sortie);

    fl_addto_form(SIM);
    ajoute_titre(x_port_valeur, y_port_valeur, nom_port_valeur);
    obj_port_valeur = ajoute_affichage(x_port_valeur, y_port_valeur + 20);
    for (int n = 0; n < 8; n++) {
        // Bit 7 leftmost, so that the row reads like the binary text above it.
        ES[n] = fl_add_button(FL_NORMAL_BUTTON, x_port_valeur + 70 - 10 * n, y_port_valeur + 40, 10,
                              10, "");
        fl_set_object_boxtype(ES[n], FL_EMBOSSED_BOX);
    }
    if (!nom_port_direction.empty()) {
        ajoute_titre(x_port_direction, y_port_direction, nom_port_direction);
        obj_port_direction = ajoute_affichage(x_port_direction, y_port_direction + 20);
    }
    fl_end_form();
    maj_etat_boutons();
}

void portparallele::maj_etat_boutons() {
    uint8_t d = nom_port_direction.empty() ? 0 : memoire->read_byte(adresse_port_direction);
    // A bit forced to be an input wins over everything else.
    direction = static_cast<uint8_t>((masque_forc_sortie | d) & ~masque_forc_entree);
    for (int n = 0; n < 8; n++) {
        Fl_Color c = (direction >> n & 1) ? FL_RED : FL_GREEN;
        pose_couleurs(ES[n], c, c);
    }
    if (!nom_port_direction.empty()) pose_label(obj_port_direction, bin8toS(direction).c_str());
}

// Written at every pass of the loop, so built without printf.
void portparallele::trace_lien() const {
    static const char milieu[] = ": ppartage_mem ";
    char ligne[128];
    size_t n = nom_port_valeur.copy(ligne, 64);
    std::memcpy(ligne + n, milieu, sizeof milieu - 1);
    n += sizeof milieu - 1;
    ecrit_adresse(ligne + n, sizeof ligne - n, ppartage_mem);
    console_ligne(ligne);
}

int portparallele::react_in(Fl_Widget* obj) {
    int resultat = 0;
    trace_lien();
    if (!ppartage_mem) {
        for (int n = 0; n < 8; n++) {
            if (!(direction >> n & 1) && obj == ES[n]) {
                valeur = static_cast<uint8_t>(valeur ^ (1 << n));
                resultat = 1;
            }
        }
    } else {
        console_ligne(" lecture partage");
        if (ppartage_mem->receive() == -1) {
            // A broken link is dropped for good; the port then works from its buttons.
            delete ppartage_mem;
            ppartage_mem = nullptr;
        } else {
            valeur = 0;
            for (int n = 0; n < 8; n++) {
                if (direction >> n & 1) continue;
                std::string nom = nom_signal(nom_port_valeur, n);
                int leve = ppartage_mem->input_is_set(nom);
                console_lignef("lecture %s =%d", nom.c_str(), leve ? 1 : 0);
                if (leve) {
                    valeur = static_cast<uint8_t>(valeur | 1 << n);
                    resultat = 1;
                }
            }
        }
    }
    // Output bits already set in valeur stay set, whatever the register holds now.
    valeur = static_cast<uint8_t>((memoire->read_byte(adresse_port_valeur) & direction) | valeur);
    memoire->write_byte(adresse_port_valeur, valeur);
    pose_label(obj_port_valeur, bin8toS(valeur).c_str());
    return resultat;
}

void portparallele::react_out() {
    maj_etat_boutons(); // the instruction may have written the direction register
    valeur = static_cast<uint8_t>((memoire->read_byte(adresse_port_valeur) & direction) |
                                  (~direction & valeur));
    memoire->write_byte(adresse_port_valeur, valeur);
    pose_label(obj_port_valeur, bin8toS(valeur).c_str());
    if (!ppartage_mem) return;
    for (int n = 0; n < 8; n++) {
        if (!(direction >> n & 1)) continue;
        std::string nom = nom_signal(nom_port_valeur, n);
        console_lignef("ecriture %s", nom.c_str());
        ppartage_mem->setreset_output(nom, valeur >> n & 1);
    }
}
