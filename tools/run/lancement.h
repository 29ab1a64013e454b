// One headless run as quorvel-run PROGRAMME [options] makes it, from reading the program to the
// final state on standard output.
#ifndef QUORVEL_RUN_LANCEMENT_H
#define QUORVEL_RUN_LANCEMENT_H

#include "options.h"

constexpr int SORTIE_BUDGET = 3;

// The exit status: 0 stopped ("boucle", "adresse"), 3 out of budget, 1 program unreadable or
// with assembly errors, 2 usage error.
int lance(const options_run& o);

#endif
