// What a headless run starts from and what happens during it, once read and checked: the values
// of quorvel-run's options, or of one case of an exercise.
#ifndef QUORVEL_RUN_REGLAGES_H
#define QUORVEL_RUN_REGLAGES_H

#include <cstdint>
#include <string>
#include <vector>

constexpr uint64_t BUDGET_DEFAUT = 1000000;
// About three hours of a run: more is a typing error.
constexpr uint64_t BUDGET_MAX = 1000000000000;

enum registre_run { REGISTRE_A, REGISTRE_X, REGISTRE_PC, REGISTRE_CCR };

struct valeur_registre {
    registre_run registre = REGISTRE_A;
    uint16_t valeur = 0;
};

// Bytes from adresse on, wrapping past $FFFF as the memory fill does.
struct bloc_memoire {
    uint16_t adresse = 0;
    std::vector<uint8_t> octets;
};

// port: index in configuration_ports.
struct valeur_port {
    int port = 0;
    uint8_t valeur = 0;
};

// After step pas's react_out, the port's input bits become valeur.
struct entree_pas {
    uint64_t pas = 1;
    int port = 0;
    uint8_t valeur = 0;
};

// A stop address, or a label that the loaded source resolves.
struct cible_arret {
    std::string etiquette; // empty: adresse is the address
    uint16_t adresse = 0;
};

// Applied after the load's react_in, in this order, then one more react_in.
struct depart_run {
    std::vector<valeur_registre> registres;
    std::vector<bloc_memoire> memoire;
    std::vector<valeur_port> ports;
};

struct deroulement_run {
    uint64_t budget = BUDGET_DEFAUT;
    std::vector<uint16_t> arrets;
    std::vector<entree_pas> entrees; // by step; in the order given within a step
};

// The register's name as the options and the reports write it ("A", "X", "PC", "CCR").
const char* nom_registre(registre_run registre);
// The largest value the register holds.
uint16_t maximum_registre(registre_run registre);

// The input bits of a configured port (0 for port C, all outputs).
uint8_t masque_entrees(int port);

#endif
