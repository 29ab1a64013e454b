#include "source.h"

#include "fichier_ordinaire.h"
#include "fichiers.h"

#include <filesystem>

namespace {

constexpr size_t ERREURS_DANS_L_ALERTE = 10;

} // namespace

bool assemble_source(const std::string& chemin, source_assemblee& source, std::string& raison) {
    std::vector<uint8_t> octets;
    bool complet;
    if (const char* echec = lit_fichier_ordinaire(chemin, TAILLE_ENTREE_MAX, octets, complet)) {
        raison = echec;
        return false;
    }
    if (!complet) {
        raison = "trop grand (plus de 16 Mio)";
        return false;
    }
    std::string texte(octets.begin(), octets.end());
    source = assemble_en_programme(texte, std::filesystem::path(chemin).filename().string());
    return true;
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
