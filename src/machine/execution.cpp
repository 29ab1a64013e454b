#include "execution.h"

const char* nom_arret(arret_execution arret) {
    switch (arret) {
    case ARRET_ADRESSE: return "adresse";
    case ARRET_BOUCLE: return "boucle";
    default: return "budget";
    }
}

namespace {

// The silent headless run: nothing but the steps and the stop test.
resultat_execution execute_nu(machine& m, uint64_t budget) {
    arret_execution arret;
    for (uint64_t pas = 1;; pas++) {
        uint16_t pc_avant = m.inter.PC_value();
        m.pas();
        if (arret_apres_pas(m, pc_avant, pas, budget, arret)) return {arret, pas};
    }
}

resultat_execution execute_suivi(machine& m, uint64_t budget, const suivi_execution& s) {
    arret_execution arret;
    for (uint64_t pas = 1;; pas++) {
        uint16_t pc_avant = m.inter.PC_value();
        if (s.avant_pas) s.avant_pas(s.contexte, m, pas);
        m.execute_instruction();
        m.reagit_sorties();
        if (s.apres_sorties) s.apres_sorties(s.contexte, m, pas);
        m.reagit_entrees(-1, -1);
        if (s.apres_pas) s.apres_pas(s.contexte, m, pas);
        if (arret_apres_pas(m, pc_avant, pas, budget, arret)) return {arret, pas};
    }
}

} // namespace

resultat_execution execute(machine& m, uint64_t budget, const suivi_execution* suivi) {
    if (budget == 0) budget = 1; // never before the first step
    return suivi ? execute_suivi(m, budget, *suivi) : execute_nu(m, budget);
}
