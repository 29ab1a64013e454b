// A headless run of the machine session with the window's rules: the start that the window's
// first handled pass makes, inputs that change during the run, the trace of each instruction.
#ifndef QUORVEL_RUN_SESSION_RUN_H
#define QUORVEL_RUN_SESSION_RUN_H

#include "execution.h"
#include "machine.h"
#include "reglages.h"
#include "sortie_run.h"

// Once the program is loaded: the rest of the load's pass (react_in of the three ports), the
// registers, memory and input bits asked for, then one more react_in, as the window's pass after
// a memory fill or a click makes it.
void demarre(machine& m, const depart_run& depart);

// The stop addresses of deroulement.arrets, then the run; trace: one line per instruction, or
// null.
resultat_execution deroule(machine& m, const deroulement_run& deroulement, tampon_lignes* trace);

#endif
