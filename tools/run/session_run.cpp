#include "session_run.h"

#include "trace_instructions.h"

#include <algorithm>

namespace {

void pose_registre(machine& m, const valeur_registre& r) {
    switch (r.registre) {
    case REGISTRE_A: m.inter.set_A_value(static_cast<uint8_t>(r.valeur)); break;
    case REGISTRE_X: m.inter.set_X_value(r.valeur); break;
    case REGISTRE_PC: m.inter.set_PC_value(r.valeur); break;
    // The processor has no setter for the flags: the window never edits them either.
    case REGISTRE_CCR: m.inter.CCR = static_cast<uint8_t>(r.valeur); break;
    }
}

struct suivi_run {
    const deroulement_run* deroulement;
    size_t prochaine_entree = 0;
    tampon_lignes* trace;
    char ligne[TAILLE_LIGNE_TRACE];
    size_t longueur = 0;
};

void avant_pas(void* contexte, machine& m, uint64_t pas) {
    suivi_run& s = *static_cast<suivi_run*>(contexte);
    if (s.trace) s.longueur = debut_ligne_trace(m, pas, s.ligne);
}

// A switch flipped during the run: the inputs change between the step's two reactions, as a
// click on a port's button in a running pass of the window.
void apres_sorties(void* contexte, machine& m, uint64_t pas) {
    suivi_run& s = *static_cast<suivi_run*>(contexte);
    const std::vector<entree_pas>& entrees = s.deroulement->entrees;
    for (; s.prochaine_entree < entrees.size() && entrees[s.prochaine_entree].pas == pas;
         s.prochaine_entree++) {
        const entree_pas& e = entrees[s.prochaine_entree];
        m.ports[e.port].pose_entrees(e.valeur);
    }
}

void apres_pas(void* contexte, machine& m, uint64_t) {
    suivi_run& s = *static_cast<suivi_run*>(contexte);
    if (!s.trace) return;
    size_t longueur = fin_ligne_trace(m, s.ligne, s.longueur);
    s.trace->ajoute(s.ligne, longueur);
    // The machine's own console lines, when let through, interleave with the trace in order.
    if (console_active()) s.trace->vide();
}

} // namespace

void demarre(machine& m, const depart_run& depart) {
    m.reagit_entrees(-1, -1);
    for (const valeur_registre& r : depart.registres) pose_registre(m, r);
    for (const bloc_memoire& b : depart.memoire)
        for (size_t i = 0; i < b.octets.size(); ++i)
            m.memoire.write_byte(static_cast<uint16_t>(b.adresse + i), b.octets[i]);
    for (const valeur_port& p : depart.ports) m.ports[p.port].pose_entrees(p.valeur);
    m.reagit_entrees(-1, -1);
}

resultat_execution deroule(machine& m, const deroulement_run& deroulement, tampon_lignes* trace) {
    for (uint16_t adresse : deroulement.arrets) m.arrets.set(adresse);
    if (!trace && deroulement.entrees.empty()) return execute(m, deroulement.budget);
    deroulement_run trie = deroulement;
    std::stable_sort(trie.entrees.begin(), trie.entrees.end(),
                     [](const entree_pas& a, const entree_pas& b) { return a.pas < b.pas; });
    suivi_run etat;
    etat.deroulement = &trie;
    etat.trace = trace;
    suivi_execution suivi;
    suivi.contexte = &etat;
    suivi.avant_pas = trace ? avant_pas : nullptr;
    suivi.apres_sorties = deroulement.entrees.empty() ? nullptr : apres_sorties;
    suivi.apres_pas = trace ? apres_pas : nullptr;
    resultat_execution r = execute(m, deroulement.budget, &suivi);
    if (trace) trace->vide();
    return r;
}
