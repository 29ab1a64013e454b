// An 8-bit parallel port of the machine. Its value register (and optionally a direction register)
// is an ordinary memory cell; on screen it is a title, the value in binary and a row of eight bit
// buttons, red for an output bit and green for an input bit.
#ifndef QUORVEL_PERIPH_H
#define QUORVEL_PERIPH_H

#include "ioshare.h"
#include "memoire.h"

#include <cstdint>
#include <string>

class Fl_Double_Window;
class Fl_Widget;
class SIM_class;

class portparallele {
  public:
    Fl_Double_Window* SIM;
    Fl_Widget* ES[8]; // ES[n] is bit n's button
    mem_64k* memoire;
    IOsharemem_client* ppartage_mem; // owned; null without a link
    uint8_t valeur;
    uint8_t direction; // bit set: output
    uint8_t masque_forc_sortie;
    uint8_t masque_forc_entree;
    int x_port_valeur;
    int y_port_valeur;
    std::string nom_port_valeur;
    uint16_t adresse_port_valeur;
    Fl_Widget* obj_port_valeur;
    int x_port_direction;
    int y_port_direction;
    std::string nom_port_direction; // empty: no direction register
    uint16_t adresse_port_direction;
    Fl_Widget* obj_port_direction;

    portparallele();
    ~portparallele();
    portparallele(const portparallele&) = delete;
    portparallele& operator=(const portparallele&) = delete;

    void configure(SIM_class* fd_sim_param, int x_port_valeur_param, int y_port_valeur_param,
                   const char* nom_port_valeur_param, uint16_t adresse_port_valeur_param,
                   int x_port_direction_param, int y_port_direction_param,
                   const char* nom_port_direction_param, uint16_t adresse_port_direction_param,
                   uint8_t masque_forc_sortie_param, uint8_t masque_forc_entree_param,
                   mem_64k* memoire_param, int ident_partage_memoire_param);
    void maj_etat_boutons();
    // After an activated widget or a running step: input bits from the buttons (or the link).
    int react_in(Fl_Widget* obj);
    // After each executed instruction: output bits from the register.
    void react_out();
    // The line that starts every reaction to input: the port's name and its link's address.
    void trace_lien() const;
};

#endif
