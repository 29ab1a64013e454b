#include "nombres.h"

#include <cctype>

namespace {

// Larger than every field (a word reaches 65535), small enough never to overflow a long.
constexpr long VALEUR_SATUREE = 1000000;

bool est_chiffre(char c, int base) {
    unsigned char u = static_cast<unsigned char>(c);
    return base == 16 ? std::isxdigit(u) != 0 : std::isdigit(u) != 0;
}

int valeur_chiffre(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    return std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
}

} // namespace

bool est_identificateur(const std::string& texte) {
    if (texte.empty()) return false;
    unsigned char premier = static_cast<unsigned char>(texte[0]);
    if (!std::isalpha(premier) && premier != '_') return false;
    for (char c : texte) {
        unsigned char u = static_cast<unsigned char>(c);
        if (!std::isalnum(u) && u != '_') return false;
    }
    return true;
}

bool commence_comme_nombre(const std::string& texte) {
    return !texte.empty() && (std::isdigit(static_cast<unsigned char>(texte[0])) ||
                              texte[0] == '-' || texte[0] == '$');
}

bool lit_nombre(const std::string& texte, long& valeur) {
    size_t i = 0;
    bool negatif = i < texte.size() && texte[i] == '-';
    if (negatif) ++i;
    int base = 10;
    if (i < texte.size() && texte[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < texte.size() && texte[i] == '0' &&
               (texte[i + 1] == 'x' || texte[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == texte.size()) return false;
    long v = 0;
    for (; i < texte.size(); ++i) {
        if (!est_chiffre(texte[i], base)) return false;
        if (v < VALEUR_SATUREE) v = v * base + valeur_chiffre(texte[i]);
    }
    if (v > VALEUR_SATUREE) v = VALEUR_SATUREE;
    valeur = negatif ? -v : v;
    return true;
}

std::string majuscules(std::string texte) {
    for (char& c : texte) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return texte;
}

std::string sans_blancs(const std::string& texte) {
    size_t debut = 0;
    size_t fin = texte.size();
    while (debut < fin && std::isspace(static_cast<unsigned char>(texte[debut]))) ++debut;
    while (fin > debut && std::isspace(static_cast<unsigned char>(texte[fin - 1]))) --fin;
    return texte.substr(debut, fin - debut);
}
