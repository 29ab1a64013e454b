#include "fichier_ordinaire.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const RAISON_INTROUVABLE = "fichier introuvable";
const char* const RAISON_ACCES = "acces refuse";
const char* const RAISON_DOSSIER = "c'est un dossier";
const char* const RAISON_SPECIAL = "ce n'est pas un fichier ordinaire";
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

} // namespace

// stat() spares opening a device at all; the open itself does not wait (O_NONBLOCK) and fstat()
// then judges what was really opened, in case the path changed in between.
const char* lit_fichier_ordinaire(const std::string& nom_fichier, size_t taille_max,
                                  std::vector<uint8_t>& octets, bool& complet) {
    struct stat etat;
    if (stat(nom_fichier.c_str(), &etat) != 0) return raison_systeme(errno);
    if (const char* raison = raison_genre(etat)) return raison;
    int fichier = open(nom_fichier.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fichier < 0) return raison_systeme(errno);
    const char* raison = fstat(fichier, &etat) != 0 ? RAISON_LECTURE : raison_genre(etat);
    // One byte more than asked for tells whether the file goes on.
    octets.resize(taille_max + 1);
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
    complet = lus <= taille_max;
    octets.resize(complet ? lus : taille_max);
    return raison;
}
