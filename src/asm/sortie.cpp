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

std::string rangee(const std::string& adresse, const uint8_t* octets, size_t nb_octets,
                   size_t debut, const std::string& source) {
    std::string texte = adresse + "  ";
    for (size_t i = debut; i < debut + OCTETS_PAR_RANGEE; ++i)
        texte += i < nb_octets ? hexa("%2x ", octets[i]) : "   ";
    texte += source;
    while (!texte.empty() && texte.back() == ' ') texte.pop_back();
    return texte + "\n";
}

// The address column: where the line's bytes or label go, the value of a constant, or nothing.
std::string colonne_adresse(const programme_asm& programme, const ligne_asm& ligne) {
    if (ligne.erreur) return "    ";
    if (ligne.genre == LIGNE_EQU)
        return ligne.symbole < 0 ? "    " : hexa("%4x", programme.symboles[ligne.symbole].valeur);
    if (ligne.nb_octets == 0 && ligne.symbole < 0 && ligne.genre != LIGNE_ORG) return "    ";
    return hexa("%4x", ligne.adresse);
}

void ajoute_ligne(std::string& texte, const programme_asm& programme, const ligne_asm& ligne,
                  const std::string& source) {
    const uint8_t* octets = programme.octets_lignes.data() + ligne.octet;
    texte += rangee(colonne_adresse(programme, ligne), octets, ligne.nb_octets, 0, source);
    for (size_t debut = OCTETS_PAR_RANGEE; debut < ligne.nb_octets; debut += OCTETS_PAR_RANGEE)
        texte += rangee(hexa("%4x", ligne.adresse + static_cast<long>(debut)), octets,
                        ligne.nb_octets, debut, "");
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

// Blank lines and comments have no entry in programme.lignes: they are taken from the source.
std::string texte_listing(const programme_asm& programme) {
    const std::string& source = programme.source;
    std::string texte;
    auto suivante = programme.lignes.begin();
    int numero = 0;
    for (size_t debut = 0; debut < source.size();) {
        size_t fin = std::min(source.find('\n', debut), source.size());
        ++numero;
        size_t longueur = fin - debut;
        if (longueur > 0 && source[fin - 1] == '\r') --longueur;
        std::string ligne = sans_tabulations(source.substr(debut, longueur));
        if (suivante != programme.lignes.end() && suivante->numero == numero)
            ajoute_ligne(texte, programme, *suivante++, ligne);
        else
            texte += rangee("    ", nullptr, 0, 0, ligne);
        debut = fin + 1;
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
