#include "source.h"

#include "assembleur.h"
#include "fichiers.h"
#include "sortie.h"

#include <filesystem>

namespace {

constexpr size_t ERREURS_DANS_L_ALERTE = 10;

} // namespace

bool est_source(const std::string& chemin) {
    size_t n = chemin.size();
    return n >= 2 && chemin[n - 2] == '.' && (chemin[n - 1] == 's' || chemin[n - 1] == 'S');
}

source_assemblee assemble_source(const std::string& chemin) {
    source_assemblee resultat;
    std::string texte;
    if (!lit_fichier(chemin, texte)) return resultat;
    resultat.lue = true;
    programme_asm programme = assemble(texte);
    std::string nom = std::filesystem::path(chemin).filename().string();
    for (const diagnostic_asm& d : programme.diagnostics) {
        resultat.diagnostics.push_back(texte_diagnostic(nom, d));
        if (d.erreur) resultat.erreurs.push_back(resultat.diagnostics.back());
    }
    if (programme.nb_erreurs > 0) return resultat;
    resultat.fichier = fichier_programme(programme);
    for (const symbole_asm& s : programme.symboles)
        if (s.etiquette) resultat.etiquettes[s.nom] = static_cast<uint16_t>(s.valeur);
    return resultat;
}

std::string texte_alerte_assemblage(const std::vector<std::string>& erreurs) {
    std::string texte = "Erreurs d'assemblage, rien n'est charge:";
    for (size_t n = 0; n < erreurs.size() && n < ERREURS_DANS_L_ALERTE; n++)
        texte += "\n" + erreurs[n];
    if (erreurs.size() > ERREURS_DANS_L_ALERTE)
        texte += "\n... et au moins " + std::to_string(erreurs.size() - ERREURS_DANS_L_ALERTE) +
                 " autres";
    return texte;
}
