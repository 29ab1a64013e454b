// Arbitrary bytes as a case file: the reader must never crash, and it either lists faults, each
// as "FILE:LINE: ...", or gives an exercise whose every value is one the grading can run: a
// case, a unique name, budgets and steps in range, inputs only on input bits.
#include "cas.h"
#include "console.h"
#include "machine.h"

#include <cstdint>
#include <set>
#include <string>

namespace {

void verifie(bool condition) {
    if (!condition) __builtin_trap();
}

void verifie_depart(const depart_run& d) {
    for (const valeur_registre& r : d.registres) {
        verifie(r.registre != REGISTRE_CCR);
        verifie(r.valeur <= maximum_registre(r.registre));
    }
    for (const bloc_memoire& b : d.memoire) verifie(!b.octets.empty());
    for (const valeur_port& p : d.ports) {
        verifie(p.port >= 0 && p.port < NB_PORTS);
        verifie((p.valeur & ~masque_entrees(p.port)) == 0);
    }
}

void verifie_cas(const cas_exercice& c) {
    verifie(!c.nom.empty());
    verifie(c.deroulement.budget >= 1 && c.deroulement.budget <= BUDGET_MAX);
    verifie_depart(c.depart);
    for (const entree_pas& e : c.deroulement.entrees) {
        verifie(e.pas >= 1 && e.pas <= c.deroulement.budget);
        verifie(e.port >= 0 && e.port < NB_PORTS);
        verifie((e.valeur & ~masque_entrees(e.port)) == 0);
    }
    for (const cible_cas& j : c.jusqua) verifie(j.ligne >= 1);
    for (const valeur_port& p : c.attendu.ports) verifie(p.port >= 0 && p.port < NB_PORTS);
    for (const valeur_registre& r : c.attendu.registres)
        verifie(r.valeur <= maximum_registre(r.registre));
    for (const bloc_memoire& b : c.attendu.memoire) verifie(!b.octets.empty());
    verifie(!c.attendu.limite_pas || c.attendu.pas_max_utilises >= 1);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    console_vers_rien();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* octets, size_t taille) {
    std::string texte(reinterpret_cast<const char*>(octets), taille);
    exercice e;
    std::vector<std::string> erreurs;
    bool lu = lit_exercice(texte, "fuzz.toml", e, erreurs);
    verifie(lu == erreurs.empty());
    for (const std::string& erreur : erreurs) verifie(erreur.compare(0, 10, "fuzz.toml:") == 0);
    if (!lu) return 0;
    verifie(!e.cas.empty());
    std::set<std::string> noms;
    for (const cas_exercice& c : e.cas) {
        verifie(noms.insert(c.nom).second);
        verifie_cas(c);
    }
    return 0;
}
