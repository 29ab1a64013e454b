// The console on request: --trace=complete (everything), instructions (one line per executed
// instruction, as the headless runner writes them) or aucune (nothing).
#include "console.h"
#include "interface2.h"

#include <cstdlib>

void simulateur::lit_mode_trace(int argc, char** argv) {
    std::string erreur;
    if (!lit_option_trace(argc, argv, trace, erreur)) {
        console_ligne(erreur);
        std::exit(2);
    }
    if (trace == TRACE_AUCUNE) console_vers_rien();
    if (trace == TRACE_INSTRUCTIONS) console_instructions_seules(true);
}

void simulateur::commence_ligne_trace() {
    if (trace != TRACE_INSTRUCTIONS) return;
    longueur_ligne_trace = debut_ligne_trace(session, session.compteur_pas + 1, ligne_trace);
}

void simulateur::termine_ligne_trace() {
    if (trace != TRACE_INSTRUCTIONS) return;
    size_t longueur = fin_ligne_trace(session, ligne_trace, longueur_ligne_trace);
    console_ligne_instruction(std::string_view(ligne_trace, longueur));
}
