#include "sortie.h"

#include <algorithm>
#include <string_view>

namespace {

// Long DB and DW lines go on over several rows of the listing.
constexpr size_t OCTETS_PAR_RANGEE = 4;
constexpr size_t TABULATION = 8;

// "%*x": lower-case hexadecimal, blanks in front. Written by hand: the listing of a large source
// has millions of these.
void ajoute_hexa(std::string& texte, long valeur, int largeur) {
    char chiffres[4];
    unsigned v = static_cast<unsigned>(valeur & 0xFFFF);
    int n = 0;
    do {
        chiffres[n++] = "0123456789abcdef"[v & 0xF];
        v >>= 4;
    } while (v != 0);
    if (largeur > n) texte.append(static_cast<size_t>(largeur - n), ' ');
    while (n > 0) texte += chiffres[--n];
}

// Tabs of the source would not line up behind the columns of the listing.
void ajoute_sans_tabulations(std::string& texte, std::string_view source) {
    size_t colonne = 0;
    for (char c : source) {
        if (c != '\t') {
            texte += c;
            ++colonne;
            continue;
        }
        do {
            texte += ' ';
            ++colonne;
        } while (colonne % TABULATION != 0);
    }
}

// adresse: the address column, 4 characters.
void ajoute_rangee(std::string& texte, std::string_view adresse, const uint8_t* octets,
                   size_t nb_octets, size_t debut, std::string_view source) {
    size_t depart = texte.size();
    texte += adresse;
    texte += "  ";
    for (size_t i = debut; i < debut + OCTETS_PAR_RANGEE; ++i) {
        if (i < nb_octets) {
            ajoute_hexa(texte, octets[i], 2);
            texte += ' ';
        } else {
            texte += "   ";
        }
    }
    ajoute_sans_tabulations(texte, source);
    size_t dernier = texte.find_last_not_of(' ');
    texte.resize(dernier == std::string::npos || dernier < depart ? depart : dernier + 1);
    texte += '\n';
}

std::string hexa4(long valeur) {
    std::string texte;
    ajoute_hexa(texte, valeur, 4);
    return texte;
}

// The address column: where the line's bytes or label go, the value of a constant, or nothing.
std::string colonne_adresse(const programme_asm& programme, const ligne_asm& ligne) {
    if (ligne.erreur) return "    ";
    if (ligne.genre == LIGNE_EQU)
        return ligne.symbole < 0
                   ? "    "
                   : hexa4(programme.symboles[static_cast<size_t>(ligne.symbole)].valeur);
    if (ligne.nb_octets == 0 && ligne.symbole < 0 && ligne.genre != LIGNE_ORG) return "    ";
    return hexa4(ligne.adresse);
}

void ajoute_ligne(std::string& texte, const programme_asm& programme, const ligne_asm& ligne,
                  std::string_view source) {
    const uint8_t* octets = programme.octets_lignes.data() + ligne.octet;
    ajoute_rangee(texte, colonne_adresse(programme, ligne), octets, ligne.nb_octets, 0, source);
    for (size_t debut = OCTETS_PAR_RANGEE; debut < ligne.nb_octets; debut += OCTETS_PAR_RANGEE)
        ajoute_rangee(texte, hexa4(ligne.adresse + static_cast<long>(debut)), octets,
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
        std::string_view ligne(source.data() + debut, longueur);
        if (suivante != programme.lignes.end() && suivante->numero == numero)
            ajoute_ligne(texte, programme, *suivante++, ligne);
        else
            ajoute_rangee(texte, "    ", nullptr, 0, 0, ligne);
        debut = fin + 1;
    }
    if (programme.symboles.empty()) return texte;
    texte += "\nsymboles\n";
    for (const symbole_asm& symbole : programme.symboles) {
        ajoute_hexa(texte, symbole.valeur, 4);
        texte += symbole.etiquette ? "  etiquette " : "  constante ";
        texte += symbole.nom;
        texte += '\n';
    }
    return texte;
}

std::string texte_diagnostic(const std::string& source, const diagnostic_asm& diagnostic) {
    std::string texte = source + ":";
    if (diagnostic.ligne > 0) texte += std::to_string(diagnostic.ligne) + ":";
    texte += diagnostic.erreur ? " " : " avertissement: ";
    return texte + diagnostic.message;
}
