#include "memoire.h"

#include "console.h"
#include "fichier_ordinaire.h"

#include <algorithm>
#include <cstring>
#include <vector>

mem_64k::mem_64k() {
    efface(0xFF);
}

void mem_64k::efface(uint8_t valeur) {
    for (uint16_t& cellule : mem) cellule = valeur;
}

void mem_64k::write_word(uint16_t adresse, uint16_t valeur) {
    // Same rule as read_word: the word at $FFFF has no second cell, so nothing is stored.
    if (adresse == 0xFFFF) return;
    mem[adresse] = valeur >> 8;
    mem[adresse + 1] = valeur & 0xFF;
}

namespace {

// The largest size a header can declare (a signed 16-bit number): nothing past it is ever read.
constexpr size_t TAILLE_LUE_MAX = 32767;

const char* const RAISON_COURT = "fichier vide ou trop court";

int refuse(const char* raison, std::string& retour) {
    console_ligne("erreur sur fichier ");
    console_ligne(raison);
    retour = raison;
    return 0;
}

// Everything after the trace's first lines, common to files and bytes. Memory changes only once
// the header is there, so that a failed load never wipes the program being worked on.
int charge(mem_64k& memoire, const uint8_t* octets, size_t taille_lue, std::string& raison) {
    if (taille_lue < 4) return refuse(RAISON_COURT, raison);
    int16_t taille = static_cast<int16_t>(octets[0] << 8 | octets[1]);
    uint16_t adresse_base = static_cast<uint16_t>(octets[2] << 8 | octets[3]);
    console_lignef("adresse de base %u taille %d", adresse_base, taille);
    // As efface(0x00), in one call that sanitized builds check as one range, not cell by cell.
    std::memset(memoire.mem, 0, sizeof memoire.mem);
    // Declared bytes missing from the end leave their cells at $00; bytes that would fall past
    // $FFFF are dropped: nothing wraps to $0000.
    long nombre = std::min<long>(taille - 4, static_cast<long>(taille_lue) - 4);
    nombre = std::min<long>(nombre, 0x10000L - adresse_base);
    for (long i = 0; i < nombre; ++i) memoire.mem[adresse_base + i] = octets[4 + i];
    raison.clear();
    return 1;
}

} // namespace

int mem_64k::load_binaire(const std::string& nom_fichier) {
    std::string raison;
    return load_binaire(nom_fichier, raison);
}

int mem_64k::load_binaire(const std::string& nom_fichier, std::string& raison) {
    console_ligne("c'est parti ..");
    if (console_active()) console_ligne("lecture de \"" + nom_fichier + "\"");
    std::vector<uint8_t> octets;
    bool complet;
    if (const char* echec = lit_fichier_ordinaire(nom_fichier, TAILLE_LUE_MAX, octets, complet))
        return refuse(echec, raison);
    return charge(*this, octets.data(), octets.size(), raison);
}

int mem_64k::load_octets(const uint8_t* octets, size_t taille, std::string& raison) {
    console_ligne("c'est parti ..");
    return charge(*this, octets, taille, raison);
}
