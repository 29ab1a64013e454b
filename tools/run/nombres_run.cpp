#include "nombres_run.h"

namespace {

int chiffre(char c, int base) {
    int v = -1;
    if (c >= '0' && c <= '9') v = c - '0';
    if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
    if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
    return v < base ? v : -1;
}

} // namespace

lecture_nombre lit_nombre_run(const std::string& texte, uint64_t maximum, uint64_t& valeur) {
    size_t debut = 0;
    int base = 10;
    if (texte.compare(0, 2, "0x") == 0 || texte.compare(0, 2, "0X") == 0) {
        debut = 2;
        base = 16;
    } else if (texte.compare(0, 1, "$") == 0) {
        debut = 1;
        base = 16;
    } else if (texte.size() > 1 && texte[0] == '0') {
        return NOMBRE_MALFORME; // 010 would read as ten here and as eight in C
    }
    if (debut == texte.size()) return NOMBRE_MALFORME;
    bool trop_grand = false;
    uint64_t v = 0;
    for (size_t i = debut; i < texte.size(); ++i) {
        int c = chiffre(texte[i], base);
        if (c < 0) return NOMBRE_MALFORME;
        uint64_t u = static_cast<uint64_t>(c);
        if (trop_grand || u > maximum || v > (maximum - u) / static_cast<uint64_t>(base))
            trop_grand = true;
        else
            v = v * static_cast<uint64_t>(base) + u;
    }
    if (trop_grand) return NOMBRE_TROP_GRAND;
    valeur = v;
    return NOMBRE_LU;
}

std::string message_nombre(const std::string& quoi, const std::string& texte,
                           lecture_nombre lecture, uint64_t maximum) {
    if (lecture == NOMBRE_TROP_GRAND)
        return quoi + ": " + texte + " depasse " + std::to_string(maximum);
    return quoi + ": \"" + texte +
           "\" n'est pas un nombre (decimal sans zero en tete, ou hexadecimal apres 0x ou $)";
}
