// Grading one submission: each case of the exercise runs from two start states on a fresh
// machine, and both runs must give what the case expects.
#ifndef QUORVEL_RUN_NOTATION_H
#define QUORVEL_RUN_NOTATION_H

#include "cas.h"
#include "options.h"
#include "programme.h"

#include <cstdint>
#include <string>
#include <vector>

constexpr int SORTIE_ECHECS = 4;

// The registers a program finds after a load, which resets only PC: once all zero, once not, so
// that a program relying on registers it never set fails.
struct depart_registres {
    const char* nom;
    uint8_t a;
    uint16_t x;
    uint8_t ccr;
};
constexpr int NB_DEPARTS = 2;
extern const depart_registres departs[NB_DEPARTS];

struct resultat_cas {
    bool reussi = true;
    // For each start state, what differed from the expected, one line each.
    std::vector<std::string> ecarts[NB_DEPARTS];
};

struct resultat_copie {
    std::string chemin;
    bool assemblee = true;
    std::vector<std::string> diagnostics; // the assembly's errors, as quorvel-asm writes them
    std::vector<resultat_cas> cas;
    uint64_t points = 0;
};

// copie: read with its program file's bytes (lit_programme with lit_binaire). Touches nothing
// shared: each run has a machine of its own and the console is silent.
resultat_copie note_copie(const exercice& e, const programme_lu& copie, lecture_programme lecture);

bool tous_reussis(const resultat_copie& r);

// quorvel-run --cas: 0 when every case of every submission passed, 4 when some failed, 1 for an
// unreadable file, 2 for a usage error or a malformed case file (before anything runs).
int corrige(const options_run& o);

#endif
