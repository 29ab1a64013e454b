// quorvel-run --cas: every check before anything runs, the submissions graded in parallel, then
// the reports.
#include "console.h"
#include "fichiers.h"
#include "notation.h"
#include "rapport_notes.h"
#include "sortie_run.h"
#include "sorties_fichiers.h"

#include <algorithm>
#include <atomic>
#include <set>
#include <system_error>
#include <thread>

namespace {

struct copies_lues {
    std::vector<programme_lu> programmes;
    std::vector<lecture_programme> lectures;
};

int signale(const std::vector<std::string>& lignes, int statut) {
    std::string texte;
    for (const std::string& l : lignes) texte += l + "\n";
    ecrit_sortie(2, texte);
    return statut;
}

// A label that no submission defines is the case file's typing error, not the students'.
std::vector<std::string> etiquettes_inconnues(const exercice& e, const std::string& fichier,
                                              const copies_lues& copies) {
    std::set<std::string> connues;
    for (const programme_lu& p : copies.programmes)
        for (const auto& etiquette : p.etiquettes) connues.insert(etiquette.first);
    std::vector<std::string> erreurs;
    for (const cas_exercice& c : e.cas)
        for (const cible_cas& j : c.jusqua)
            if (!j.cible.etiquette.empty() && connues.count(j.cible.etiquette) == 0)
                erreurs.push_back(fichier + ":" + std::to_string(j.ligne) + ": " + j.cle +
                                  ": etiquette inconnue \"" + j.cible.etiquette +
                                  "\" (aucune copie ne la definit)");
    return erreurs;
}

// Each submission is graded by one worker on machines of its own; the results keep the order
// of the command line, whatever the number of workers.
std::vector<resultat_copie> note_toutes(const exercice& e, const copies_lues& copies,
                                        unsigned taches) {
    std::vector<resultat_copie> resultats(copies.programmes.size());
    std::atomic<size_t> suivante(0);
    auto travail = [&]() {
        for (size_t i; (i = suivante++) < resultats.size();)
            resultats[i] = note_copie(e, copies.programmes[i], copies.lectures[i]);
    };
    if (taches == 0) taches = std::max(1u, std::thread::hardware_concurrency());
    taches = static_cast<unsigned>(std::min<size_t>(taches, resultats.size()));
    std::vector<std::thread> ouvriers;
    for (unsigned t = 1; t < taches; ++t) {
        try {
            ouvriers.emplace_back(travail);
        } catch (const std::system_error&) {
            break; // fewer workers than asked for give the same results
        }
    }
    travail();
    for (std::thread& o : ouvriers) o.join();
    return resultats;
}

// Replaced whole or left as it was, as quorvel-asm does with its outputs.
bool ecrit_fichier(const std::string& chemin, const std::string& contenu) {
    std::vector<sortie_fichier> sorties(1);
    sorties[0].chemin = chemin;
    sorties[0].contenu = contenu;
    std::string erreur;
    if (prepare_sorties(sorties, erreur) && installe_sorties(sorties, erreur)) return true;
    signale({"quorvel-run: impossible d'ecrire " + erreur}, SORTIE_ECHEC);
    return false;
}

} // namespace

int corrige(const options_run& o) {
    console_vers_rien(); // set once, before any worker starts: nothing shared is written
    std::string texte, raison;
    if (!lit_entree(o.cas, texte, raison))
        return signale({"quorvel-run: impossible de lire " + o.cas + ": " + raison}, SORTIE_ECHEC);
    exercice e;
    std::vector<std::string> erreurs;
    if (!lit_exercice(texte, o.cas, e, erreurs)) return signale(erreurs, SORTIE_USAGE);

    copies_lues copies;
    for (const std::string& chemin : o.fichiers) {
        programme_lu p;
        lecture_programme lecture = lit_programme(chemin, p);
        if (lecture == PROGRAMME_ILLISIBLE)
            erreurs.push_back("quorvel-run: impossible de lire " + chemin + ": " + p.raison);
        copies.programmes.push_back(p);
        copies.lectures.push_back(lecture);
    }
    if (!erreurs.empty()) return signale(erreurs, SORTIE_ECHEC);
    erreurs = etiquettes_inconnues(e, o.cas, copies);
    if (!erreurs.empty()) return signale(erreurs, SORTIE_USAGE);

    std::vector<resultat_copie> resultats = note_toutes(e, copies, o.taches);
    ecrit_sortie(1, texte_rapport(e, resultats));
    // One report that cannot be written does not keep the other from being written.
    bool ecrits = o.rapport.empty() || ecrit_fichier(o.rapport, csv_notes(e, resultats));
    ecrits = (o.junit.empty() || ecrit_fichier(o.junit, junit_notes(e, resultats))) && ecrits;
    if (!ecrits) return SORTIE_ECHEC;
    for (const resultat_copie& r : resultats)
        if (!tous_reussis(r)) return SORTIE_ECHECS;
    return 0;
}
