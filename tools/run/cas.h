// An exercise: its cases, each a start, a run and what must hold at its end, read from a case
// file (TOML).
#ifndef QUORVEL_RUN_CAS_H
#define QUORVEL_RUN_CAS_H

#include "execution.h"
#include "reglages.h"

#include <cstdint>
#include <string>
#include <vector>

struct attendu_cas {
    // Not given: the program must stop by itself or reach a stop address.
    bool arret_donne = false;
    arret_execution arret = ARRET_BOUCLE;
    bool limite_pas = false;
    uint64_t pas_max_utilises = 0;
    std::vector<valeur_registre> registres; // A, X, PC, CCR
    std::vector<valeur_port> ports;         // the whole value register
    std::vector<bloc_memoire> memoire;
};

// A stop that a submission resolves; where it was written, for the message of an unknown label.
struct cible_cas {
    cible_arret cible;
    int ligne = 0;
    std::string cle;
};

struct cas_exercice {
    std::string nom;
    uint64_t points = 1;
    depart_run depart;
    deroulement_run deroulement; // budget and inputs; the stops come from jusqua
    std::vector<cible_cas> jusqua;
    attendu_cas attendu;
};

struct exercice {
    std::string titre;
    std::vector<cas_exercice> cas;
};

uint64_t total_points(const exercice& e);

// Reads a case file's text. Every fault goes into erreurs as "FILE:LINE: KEY: message" (the key
// as a path: cas[2].attendu.ports.C, cases counted from 1); false when there is any.
bool lit_exercice(const std::string& texte, const std::string& nom_fichier, exercice& e,
                  std::vector<std::string>& erreurs);

#endif
