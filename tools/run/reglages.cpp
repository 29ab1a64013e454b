#include "reglages.h"

#include "machine.h"

const char* nom_registre(registre_run registre) {
    switch (registre) {
    case REGISTRE_A: return "A";
    case REGISTRE_X: return "X";
    case REGISTRE_PC: return "PC";
    default: return "CCR";
    }
}

uint16_t maximum_registre(registre_run registre) {
    return registre == REGISTRE_X || registre == REGISTRE_PC ? 0xFFFF : 0xFF;
}

uint8_t masque_entrees(int port) {
    // The ports have no direction register: the forced masks alone decide.
    const config_port& c = configuration_ports[port];
    uint8_t direction = static_cast<uint8_t>(c.masque_forc_sortie & ~c.masque_forc_entree);
    return static_cast<uint8_t>(~direction);
}
