#include "fichiers.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr size_t BLOC = 64 * 1024;

const char* const TROP_GRAND = "trop grand (plus de 16 Mio)";

// The reasons that a user can act on; anything else is a plain read or write error, as the
// simulator's loader says it.
const char* raison_connue(int numero, bool ecriture) {
    switch (numero) {
    case ENOENT: return ecriture ? "dossier introuvable" : "fichier introuvable";
    case EACCES:
    case EPERM: return "acces refuse";
    case EISDIR: return "c'est un dossier";
    case ENOTDIR: return "un element du chemin n'est pas un dossier";
    case ENAMETOOLONG: return "nom trop long";
    case ELOOP: return "trop de liens symboliques";
    case ENXIO: return "ce n'est pas un fichier ordinaire";
    case EMFILE:
    case ENFILE: return "trop de fichiers ouverts";
    case ENOSPC: return "plus de place sur le disque";
    case EDQUOT: return "quota de disque depasse";
    case EROFS: return "systeme de fichiers en lecture seule";
    case EFBIG: return "fichier trop grand";
    case ETXTBSY: return "fichier en cours d'execution";
    case EBADF: return ecriture ? "sortie fermee" : "entree fermee";
    default: return nullptr;
    }
}

// Reads descripteur up to its end into contenu.
bool lit_tout(int descripteur, std::string& contenu, std::string& raison) {
    size_t lus = 0;
    for (;;) {
        contenu.resize(lus + BLOC);
        ssize_t n = ::read(descripteur, &contenu[lus], BLOC);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            raison = raison_systeme(errno, false);
            return false;
        }
        if (n == 0) break;
        lus += static_cast<size_t>(n);
        if (lus > TAILLE_ENTREE_MAX) {
            raison = TROP_GRAND;
            return false;
        }
    }
    contenu.resize(lus);
    return true;
}

bool lit_descripteur(int descripteur, std::string& contenu, std::string& raison) {
    struct stat etat;
    if (::fstat(descripteur, &etat) != 0) {
        raison = raison_systeme(errno, false);
        return false;
    }
    if (S_ISDIR(etat.st_mode)) {
        raison = "c'est un dossier";
        return false;
    }
    // The size of a regular file is known at once; /proc files and pipes say 0 and are read.
    if (S_ISREG(etat.st_mode) &&
        static_cast<unsigned long long>(etat.st_size) > TAILLE_ENTREE_MAX) {
        raison = TROP_GRAND;
        return false;
    }
    if (S_ISREG(etat.st_mode)) contenu.reserve(static_cast<size_t>(etat.st_size) + BLOC);
    return lit_tout(descripteur, contenu, raison);
}

} // namespace

std::string raison_systeme(int numero, bool ecriture) {
    const char* raison = raison_connue(numero, ecriture);
    if (raison != nullptr) return raison;
    return ecriture ? "erreur d'ecriture" : "erreur de lecture";
}

bool lit_entree(const std::string& chemin, std::string& contenu, std::string& raison) {
    contenu.clear();
    bool entree_standard = chemin == "-";
    int descripteur =
        entree_standard ? STDIN_FILENO : ::open(chemin.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (descripteur < 0) {
        raison = raison_systeme(errno, false);
        return false;
    }
    bool lu = lit_descripteur(descripteur, contenu, raison);
    if (!entree_standard) ::close(descripteur);
    if (!lu) std::string().swap(contenu);
    return lu;
}
