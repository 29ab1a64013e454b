// Running the machine session until something stops it, and why it stopped. The same rules serve
// the headless runner and the window's breakpoints.
#ifndef QUORVEL_EXECUTION_H
#define QUORVEL_EXECUTION_H

#include "machine.h"

#include <cstdint>

// Checked after each step, never before the first, in this order; the first that holds decides.
enum arret_execution {
    ARRET_ADRESSE, // PC is one of the stop addresses
    ARRET_BOUCLE,  // PC unchanged by the step: a branch to itself, after which nothing can change
    ARRET_BUDGET,  // the number of steps asked for is done
};

// "adresse", "boucle", "budget".
const char* nom_arret(arret_execution arret);

struct resultat_execution {
    arret_execution arret;
    uint64_t pas; // steps made, the deciding one included
};

// What a host may do around each step; any hook may be null. pas counts from 1.
struct suivi_execution {
    void* contexte = nullptr;
    // Before the instruction: it is still in memory as it will execute.
    void (*avant_pas)(void* contexte, machine& m, uint64_t pas) = nullptr;
    // After the step's react_out, before its react_in: where inputs change during a run.
    void (*apres_sorties)(void* contexte, machine& m, uint64_t pas) = nullptr;
    // After the whole step.
    void (*apres_pas)(void* contexte, machine& m, uint64_t pas) = nullptr;
};

// The stop test of one step that started at pc_avant, after pas steps.
inline bool arret_apres_pas(const machine& m, uint16_t pc_avant, uint64_t pas, uint64_t budget,
                            arret_execution& arret) {
    uint16_t pc = m.inter.PC_value();
    if (m.arrets.test(pc))
        arret = ARRET_ADRESSE;
    else if (pc == pc_avant)
        arret = ARRET_BOUCLE;
    else if (pas >= budget)
        arret = ARRET_BUDGET;
    else
        return false;
    return true;
}

// Runs at most budget steps (budget >= 1) of the session.
resultat_execution execute(machine& m, uint64_t budget, const suivi_execution* suivi = nullptr);

#endif
