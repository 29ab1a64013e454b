#include "programme.h"

#include "fichiers.h"
#include "programme_source.h"

namespace {

bool est_texte(const std::string& contenu) {
    for (char c : contenu) {
        unsigned char u = static_cast<unsigned char>(c);
        if ((u < 0x20 && u != '\t' && u != '\n' && u != '\r' && u != '\f' && u != '\v') ||
            u == 0x7F)
            return false;
    }
    return true;
}

} // namespace

bool est_source(const std::string& chemin, const std::string& contenu) {
    if (chemin == "-") return est_texte(contenu);
    return est_nom_de_source(chemin);
}

lecture_programme lit_programme(const std::string& chemin, programme_lu& programme) {
    programme = programme_lu();
    programme.chemin = chemin;
    std::string contenu;
    if (!lit_entree(chemin, contenu, programme.raison)) return PROGRAMME_ILLISIBLE;
    programme.source = est_source(chemin, contenu);
    if (programme.source) {
        source_assemblee source = assemble_en_programme(contenu, chemin);
        programme.diagnostics = source.diagnostics;
        programme.erreurs = source.erreurs;
        programme.octets = source.fichier;
        programme.etiquettes = source.etiquettes;
        return programme.octets.empty() ? PROGRAMME_ERRONE : PROGRAMME_LU;
    }
    programme.octets.assign(contenu.begin(), contenu.end());
    return PROGRAMME_LU;
}

int charge_programme(machine& m, const programme_lu& programme) {
    int charge = m.charge_octets(programme.octets);
    if (charge) m.etiquettes = programme.etiquettes;
    return charge;
}
