// An 8-bit parallel port on screen: a title, the value in binary and a row of eight bit buttons,
// red for an output bit and green for an input bit, bright when the bit is 1. Its logic is the
// machine session's port_machine; this class only shows it and turns a click into the bit it
// stands for.
#ifndef QUORVEL_PERIPH_H
#define QUORVEL_PERIPH_H

#include "memoire.h"
#include "port.h"

#include <FL/Enumerations.H>

#include <cstdint>

class Fl_Double_Window;
class Fl_Widget;
class SIM_class;

// A bit button's colour: bright when the bit is 1, dark when it is 0. The bit is read from the
// port's value register, which every reaction sets to the port's value; right after configuration
// it holds $FF, so the buttons show the plain colours of their direction, as they always did.
extern const Fl_Color COULEUR_SORTIE_0;
extern const Fl_Color COULEUR_SORTIE_1; // FL_RED
extern const Fl_Color COULEUR_ENTREE_0;
extern const Fl_Color COULEUR_ENTREE_1; // FL_GREEN

class portparallele {
  public:
    Fl_Double_Window* SIM;
    Fl_Widget* ES[8]; // ES[n] is bit n's button
    mem_64k* memoire;
    port_machine propre; // the logic of a port that no machine session holds
    port_machine& port;  // the logic shown: the session's port, or propre
    // The logic's state, under the names the port has always had.
    IOsharemem_client*& ppartage_mem;
    uint8_t& valeur;
    uint8_t& direction;
    int x_port_valeur;
    int y_port_valeur;
    Fl_Widget* obj_port_valeur;
    int x_port_direction;
    int y_port_direction;
    Fl_Widget* obj_port_direction;

    // A port with a logic of its own.
    portparallele();
    // A port that shows a machine session's port.
    explicit portparallele(port_machine& logique);
    portparallele(const portparallele&) = delete;
    portparallele& operator=(const portparallele&) = delete;

    // Configures the logic (registers, masks, link) and adds the port's widgets to the window.
    void configure(SIM_class* fd_sim_param, int x_port_valeur_param, int y_port_valeur_param,
                   const char* nom_port_valeur_param, uint16_t adresse_port_valeur_param,
                   int x_port_direction_param, int y_port_direction_param,
                   const char* nom_port_direction_param, uint16_t adresse_port_direction_param,
                   uint8_t masque_forc_sortie_param, uint8_t masque_forc_entree_param,
                   mem_64k* memoire_param, int ident_partage_memoire_param);
    // Direction from the registers, then the buttons.
    void maj_etat_boutons();
    // Each bit button's colour and tooltip from the direction and the value register; a button
    // is redrawn only when its colour changes.
    void maj_boutons();
    // The bit buttons and the direction display.
    void affiche_direction();
    // After an activated widget or a running step: input bits from the buttons (or the link).
    int react_in(Fl_Widget* obj);
    // After each executed instruction: output bits from the register.
    void react_out();
    // Every widget after the logic has reacted (or was restored): the value display, the
    // direction display and the bit buttons, each redrawn only when it changes.
    void affiche();
};

#endif
