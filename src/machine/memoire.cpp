#include "memoire.h"

#include "console.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
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

const char* const RAISON_INTROUVABLE = "fichier introuvable";
const char* const RAISON_ACCES = "acces refuse";
const char* const RAISON_DOSSIER = "c'est un dossier";
const char* const RAISON_SPECIAL = "ce n'est pas un fichier ordinaire";
const char* const RAISON_COURT = "fichier vide ou trop court";
const char* const RAISON_LECTURE = "erreur de lecture";

const char* raison_systeme(int erreur) {
    switch (erreur) {
    case ENOENT:
    case ENOTDIR: return RAISON_INTROUVABLE;
    case EACCES:
    case EPERM: return RAISON_ACCES;
    case EISDIR: return RAISON_DOSSIER;
    default: return RAISON_LECTURE;
    }
}

const char* raison_genre(const struct stat& etat) {
    if (S_ISDIR(etat.st_mode)) return RAISON_DOSSIER;
    if (!S_ISREG(etat.st_mode)) return RAISON_SPECIAL;
    return nullptr;
}

// Reads what a load can use of a regular file into octets; the reason of a failure otherwise.
// Only a regular file is ever read: a FIFO or a terminal would wait for a writer, a device may
// never end. stat() spares opening a device at all; the open itself does not wait (O_NONBLOCK)
// and fstat() then judges what was really opened, in case the path changed in between.
const char* lit_fichier(const std::string& nom_fichier, std::vector<uint8_t>& octets) {
    struct stat etat;
    if (stat(nom_fichier.c_str(), &etat) != 0) return raison_systeme(errno);
    if (const char* raison = raison_genre(etat)) return raison;
    int fichier = open(nom_fichier.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fichier < 0) return raison_systeme(errno);
    const char* raison = fstat(fichier, &etat) != 0 ? RAISON_LECTURE : raison_genre(etat);
    octets.resize(TAILLE_LUE_MAX);
    size_t lus = 0;
    while (raison == nullptr && lus < octets.size()) {
        ssize_t n = read(fichier, octets.data() + lus, octets.size() - lus);
        if (n > 0)
            lus += static_cast<size_t>(n);
        else if (n == 0)
            break;
        else if (errno != EINTR)
            raison = RAISON_LECTURE;
    }
    close(fichier);
    octets.resize(lus);
    return raison;
}

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
    if (const char* echec = lit_fichier(nom_fichier, octets)) return refuse(echec, raison);
    return charge(*this, octets.data(), octets.size(), raison);
}

int mem_64k::load_octets(const uint8_t* octets, size_t taille, std::string& raison) {
    console_ligne("c'est parti ..");
    return charge(*this, octets, taille, raison);
}
