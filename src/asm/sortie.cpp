#include "sortie.h"

#include <algorithm>
#include <cstdio>

namespace {

// Long DB and DW lines go on over several rows of the listing.
constexpr size_t OCTETS_PAR_RANGEE = 4;
constexpr size_t TABULATION = 8;

std::string hexa(const char* format, long valeur) {
    char texte[16];
    std::snprintf(texte, sizeof texte, format, static_cast<unsigned>(valeur & 0xFFFF));
    return texte;
}

// Tabs of the source would not line up behind the columns of the listing.
std::string sans_tabulations(const std::string& texte) {
    std::string resultat;
    for (char c : texte) {
        if (c != '\t') {
            resultat += c;
            continue;
        }
        do resultat += ' ';
        while (resultat.size() % TABULATION != 0);
    }
    return resultat;
}

std::string rangee(const std::string& adresse, const std::vector<uint8_t>& octets, size_t debut,
                   const std::string& source) {
    std::string texte = adresse + "  ";
    for (size_t i = debut; i < debut + OCTETS_PAR_RANGEE; ++i)
        texte += i < octets.size() ? hexa("%2x ", octets[i]) : "   ";
    texte += source;
    while (!texte.empty() && texte.back() == ' ') texte.pop_back();
    return texte + "\n";
}

// The address column: where the line's bytes or label go, the value of a constant, or nothing.
std::string colonne_adresse(const programme_asm& programme, const ligne_source& ligne) {
    if (!ligne.erreur.empty()) return "    ";
    if (ligne.genre == LIGNE_EQU) {
        const symbole_asm* constante = cherche_symbole(programme, ligne.etiquette);
        return constante ? hexa("%4x", constante->valeur) : "    ";
    }
    if (ligne.octets.empty() && ligne.etiquette.empty() && ligne.genre != LIGNE_ORG) return "    ";
    return hexa("%4x", ligne.adresse);
}

} // namespace

std::vector<uint8_t> fichier_programme(const programme_asm& programme) {
    size_t taille = programme.octets.size() + 4;
    std::vector<uint8_t> fichier(taille);
    fichier[0] = static_cast<uint8_t>(taille >> 8);
    fichier[1] = static_cast<uint8_t>(taille & 0xFF);
    fichier[2] = static_cast<uint8_t>(programme.base >> 8);
    fichier[3] = static_cast<uint8_t>(programme.base & 0xFF);
    std::copy(programme.octets.begin(), programme.octets.end(), fichier.begin() + 4);
    return fichier;
}

std::string texte_listing(const programme_asm& programme) {
    std::string texte;
    for (const ligne_source& ligne : programme.lignes) {
        texte += rangee(colonne_adresse(programme, ligne), ligne.octets, 0,
                        sans_tabulations(ligne.texte));
        for (size_t debut = OCTETS_PAR_RANGEE; debut < ligne.octets.size();
             debut += OCTETS_PAR_RANGEE)
            texte += rangee(hexa("%4x", ligne.adresse + static_cast<long>(debut)), ligne.octets,
                            debut, "");
    }
    if (programme.symboles.empty()) return texte;
    texte += "\nsymboles\n";
    for (const symbole_asm& symbole : programme.symboles)
        texte += hexa("%4x", symbole.valeur) +
                 (symbole.etiquette ? "  etiquette " : "  constante ") + symbole.nom + "\n";
    return texte;
}

std::string texte_diagnostic(const std::string& source, const diagnostic_asm& diagnostic) {
    std::string texte = source + ":";
    if (diagnostic.ligne > 0) texte += std::to_string(diagnostic.ligne) + ":";
    texte += diagnostic.erreur ? " " : " avertissement: ";
    return texte + diagnostic.message;
}
