#include "programme_source.h"

#include "assembleur.h"
#include "sortie.h"

bool est_nom_de_source(const std::string& chemin) {
    size_t n = chemin.size();
    return n >= 2 && chemin[n - 2] == '.' && (chemin[n - 1] == 's' || chemin[n - 1] == 'S');
}

source_assemblee assemble_en_programme(const std::string& texte, const std::string& nom) {
    source_assemblee resultat;
    programme_asm programme = assemble(texte);
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
