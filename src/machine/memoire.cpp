#include "memoire.h"

#include "console.h"

#include <cstdio>
#include <sys/stat.h>

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

// Header: signed 16-bit size (header included), then the unsigned 16-bit base address, both
// big-endian. Bytes missing from a short file read as 0.
struct entete_binaire {
    int16_t taille;
    uint16_t adresse_base;
    bool complet;
};

entete_binaire lit_entete(FILE* fichier) {
    unsigned char octets[4] = {0, 0, 0, 0};
    size_t lus = std::fread(octets, 1, sizeof octets, fichier);
    entete_binaire entete;
    entete.taille = static_cast<int16_t>(octets[0] << 8 | octets[1]);
    entete.adresse_base = static_cast<uint16_t>(octets[2] << 8 | octets[3]);
    entete.complet = lus == sizeof octets;
    return entete;
}

// A folder opens for reading on this system but holds no bytes: it counts as a file that cannot
// be opened, so that picking one in the file chooser does not wipe the program in memory.
FILE* ouvre_programme(const std::string& nom_fichier) {
    FILE* fichier = std::fopen(nom_fichier.c_str(), "rb");
    struct stat etat;
    if (fichier != nullptr && fstat(fileno(fichier), &etat) == 0 && S_ISDIR(etat.st_mode)) {
        std::fclose(fichier);
        return nullptr;
    }
    return fichier;
}

} // namespace

int mem_64k::load_binaire(const std::string& nom_fichier) {
    console_ligne("c'est parti ..");
    console_ligne("lecture de \"" + nom_fichier + "\"");
    FILE* fichier = ouvre_programme(nom_fichier);
    if (fichier == nullptr) {
        // Memory is only cleared once the file is open: a mistyped name must not wipe a program.
        console_ligne("erreur sur fichier ");
        return 0;
    }
    efface(0x00);
    entete_binaire entete = lit_entete(fichier);
    console_lignef("adresse de base %u taille %d", entete.adresse_base, entete.taille);
    if (entete.complet) {
        // Bytes that would fall past $FFFF are dropped: nothing wraps to $0000.
        long fin = static_cast<long>(entete.adresse_base) + entete.taille - 4;
        if (fin > 0x10000) fin = 0x10000;
        for (long adresse = entete.adresse_base; adresse < fin; ++adresse) {
            int octet = std::fgetc(fichier);
            if (octet == EOF) break; // a short file leaves the rest of its cells at $00
            mem[adresse] = static_cast<uint16_t>(octet);
        }
    }
    std::fclose(fichier);
    return 1;
}

int mem_64k::load_octets(const uint8_t* octets, size_t taille) {
    console_ligne("c'est parti ..");
    efface(0x00);
    int16_t taille_entete = taille >= 2 ? static_cast<int16_t>(octets[0] << 8 | octets[1]) : 0;
    uint16_t base = taille >= 4 ? static_cast<uint16_t>(octets[2] << 8 | octets[3]) : 0;
    console_lignef("adresse de base %u taille %d", base, taille_entete);
    if (taille < 4) return 1;
    long fin = static_cast<long>(base) + taille_entete - 4;
    if (fin > 0x10000) fin = 0x10000;
    size_t i = 4;
    for (long adresse = base; adresse < fin && i < taille; ++adresse) mem[adresse] = octets[i++];
    return 1;
}
