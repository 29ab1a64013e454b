// The logic of an 8-bit parallel port, without its widgets: the value register (and optionally a
// direction register) is an ordinary memory cell that the port keeps consistent at two moments,
// react_out after each executed instruction and react_in at the end of every handled pass.
#ifndef QUORVEL_PORT_H
#define QUORVEL_PORT_H

#include "console.h"
#include "ioshare.h"
#include "memoire.h"

#include <cstdint>
#include <string>

class port_machine {
  public:
    mem_64k* memoire;
    IOsharemem_client* ppartage_mem; // owned; null without a link
    uint8_t valeur;
    uint8_t direction; // bit set: output
    uint8_t masque_forc_sortie;
    uint8_t masque_forc_entree;
    std::string nom_port_valeur;
    uint16_t adresse_port_valeur;
    std::string nom_port_direction; // empty: no direction register
    uint16_t adresse_port_direction;

    port_machine();
    ~port_machine();
    port_machine(const port_machine&) = delete;
    port_machine& operator=(const port_machine&) = delete;

    // Writes $FF into the value register and the forced outputs into the direction register.
    void configure(const char* nom_port_valeur_param, uint16_t adresse_port_valeur_param,
                   const char* nom_port_direction_param, uint16_t adresse_port_direction_param,
                   uint8_t masque_forc_sortie_param, uint8_t masque_forc_entree_param,
                   mem_64k* memoire_param);
    // Identifier 0: no link.
    void lie(int ident_partage_memoire);

    // A bit forced to be an input wins over everything else.
    void maj_direction() {
        uint8_t d = nom_port_direction.empty() ? 0 : memoire->read_byte(adresse_port_direction);
        direction = static_cast<uint8_t>((masque_forc_sortie | d) & ~masque_forc_entree);
    }

    bool est_entree(int bit) const { return !(direction >> bit & 1); }

    // What a click on bit's button does: an input bit is inverted (1), an output bit is left (0).
    int inverse_entree(int bit) {
        if (bit < 0 || bit > 7 || !est_entree(bit)) return 0;
        valeur = static_cast<uint8_t>(valeur ^ (1 << bit));
        return 1;
    }

    // Input bits of valeur become those of v; output bits stay.
    void pose_entrees(uint8_t v) {
        valeur = static_cast<uint8_t>((valeur & direction) | (v & ~direction));
    }

    // After an activated widget or a running step. bit_clique: the input bit whose button was
    // pressed, or -1. 1 when a bit was toggled or is reported set by the link.
    int react_in(int bit_clique) {
        if (console_active()) trace_lien();
        int resultat = ppartage_mem ? lit_lien() : inverse_entree(bit_clique);
        // Output bits already set in valeur stay set, whatever the register holds now.
        valeur =
            static_cast<uint8_t>((memoire->read_byte(adresse_port_valeur) & direction) | valeur);
        memoire->write_byte(adresse_port_valeur, valeur);
        return resultat;
    }

    // After each executed instruction: output bits from the register, input bits from the port.
    void react_out() {
        maj_direction(); // the instruction may have written the direction register
        valeur = static_cast<uint8_t>((memoire->read_byte(adresse_port_valeur) & direction) |
                                      (~direction & valeur));
        memoire->write_byte(adresse_port_valeur, valeur);
        if (ppartage_mem) publie_lien();
    }

    // The line that starts every reaction to input: the port's name and its link's address.
    void trace_lien() const;

  private:
    int lit_lien();
    void publie_lien();
};

#endif
