#include "stringpp.h"

// Character codes are read as signed 8-bit numbers, and all arithmetic wraps modulo 2^32: it is
// done on unsigned numbers so that a long text never overflows a signed one.
static uint32_t code(char c) {
    return static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(c)));
}

int32_t Stoloruhex(const std::string& prefixe, const std::string& texte) {
    std::string::size_type position = texte.find(prefixe);
    if (position == std::string::npos) return Stol(texte);
    return static_cast<int32_t>(Stouhex(my_after(texte, static_cast<int>(position))));
}

int32_t Stol(const std::string& texte) {
    if (texte.empty()) return 0;
    bool negatif = texte[0] == '-';
    uint32_t valeur = negatif ? 0 : code(texte[0]) - '0';
    for (std::string::size_type i = 1; i < texte.size(); ++i)
        valeur = valeur * 10 + code(texte[i]) - '0';
    return static_cast<int32_t>(negatif ? 0u - valeur : valeur);
}

static uint32_t chiffre_hexa(char c) {
    if (c >= '0' && c <= '9') return static_cast<uint32_t>(c - '0');
    if (c >= 'a' && c <= 'f') return static_cast<uint32_t>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F') return static_cast<uint32_t>(c - 'A' + 10);
    return 0;
}

uint32_t Stouhex(const std::string& texte) {
    uint32_t valeur = 0;
    for (char c : texte) valeur = (valeur << 4) + chiffre_hexa(c);
    return valeur;
}

std::string my_after(const std::string& texte, int position) {
    if (position < 0 || static_cast<std::string::size_type>(position) >= texte.size())
        return std::string();
    return texte.substr(static_cast<std::string::size_type>(position));
}

std::string bin8toS(int32_t valeur) {
    std::string texte(8, '0');
    for (int i = 7; i >= 0; --i, valeur >>= 1)
        texte[static_cast<std::string::size_type>(i)] = (valeur & 1) ? '1' : '0';
    return texte;
}

std::string unslong2S(uint32_t valeur) {
    std::string texte;
    do {
        texte.insert(texte.begin(), static_cast<char>('0' + valeur % 10));
        valeur /= 10;
    } while (valeur != 0);
    return texte;
}
