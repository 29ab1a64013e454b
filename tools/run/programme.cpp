#include "programme.h"

#include "assembleur.h"
#include "fichiers.h"
#include "sortie.h"

#include <iostream>
#include <iterator>

namespace {

bool se_termine_par(const std::string& texte, const std::string& fin) {
    return texte.size() >= fin.size() &&
           texte.compare(texte.size() - fin.size(), fin.size(), fin) == 0;
}

bool lit_entree_standard(std::string& contenu) {
    contenu.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    return !std::cin.bad();
}

bool est_texte(const std::string& contenu) {
    for (char c : contenu) {
        unsigned char u = static_cast<unsigned char>(c);
        if ((u < 0x20 && u != '\t' && u != '\n' && u != '\r' && u != '\f' && u != '\v') ||
            u == 0x7F)
            return false;
    }
    return true;
}

void assemble_source(const std::string& texte, programme_lu& programme) {
    programme_asm p = assemble(texte);
    for (const diagnostic_asm& d : p.diagnostics) {
        programme.diagnostics.push_back(texte_diagnostic(programme.chemin, d));
        programme.erreurs.push_back(d.erreur);
    }
    if (p.nb_erreurs > 0) return;
    programme.octets = fichier_programme(p);
    programme.octets_lus = true;
    for (const symbole_asm& s : p.symboles)
        if (s.etiquette) programme.etiquettes[s.nom] = static_cast<uint16_t>(s.valeur);
}

} // namespace

bool est_source(const std::string& chemin, const std::string& contenu) {
    if (chemin == "-") return est_texte(contenu);
    return se_termine_par(chemin, ".s");
}

lecture_programme lit_programme(const std::string& chemin, bool lit_binaire,
                                programme_lu& programme) {
    programme = programme_lu();
    programme.chemin = chemin;
    std::string contenu;
    bool entree = chemin == "-";
    programme.source = est_source(chemin, "");
    if (entree || programme.source || lit_binaire) {
        if (!(entree ? lit_entree_standard(contenu) : lit_fichier(chemin, contenu)))
            return PROGRAMME_ILLISIBLE;
        programme.source = est_source(chemin, contenu);
    }
    if (programme.source) {
        assemble_source(contenu, programme);
        return programme.octets_lus ? PROGRAMME_LU : PROGRAMME_ERRONE;
    }
    if (entree || lit_binaire) {
        programme.octets.assign(contenu.begin(), contenu.end());
        programme.octets_lus = true;
    }
    return PROGRAMME_LU;
}

int charge_programme(machine& m, const programme_lu& programme) {
    int charge = programme.octets_lus ? m.charge_octets(programme.octets)
                                      : m.charge_fichier(programme.chemin);
    if (charge) m.etiquettes = programme.etiquettes;
    return charge;
}
