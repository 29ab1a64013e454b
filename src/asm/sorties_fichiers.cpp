#include "sorties_fichiers.h"

#include "fichiers.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// As many links as the system follows before it gives up with ELOOP.
constexpr int LIENS_MAX = 40;

bool ecrit_tout(int descripteur, const std::string& contenu) {
    size_t ecrits = 0;
    while (ecrits < contenu.size()) {
        ssize_t n = ::write(descripteur, contenu.data() + ecrits, contenu.size() - ecrits);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        ecrits += static_cast<size_t>(n);
    }
    return true;
}

// mkstemp makes the file private; the result should get the usual permissions instead.
mode_t droits_habituels() {
    mode_t masque = ::umask(0);
    ::umask(masque);
    return 0666 & ~masque;
}

// "a/b" -> "a/", "b" -> "".
std::string dossier_de(const std::string& chemin) {
    size_t barre = chemin.rfind('/');
    return barre == std::string::npos ? "" : chemin.substr(0, barre + 1);
}

std::string nom_de(const std::string& chemin) {
    size_t barre = chemin.rfind('/');
    return barre == std::string::npos ? chemin : chemin.substr(barre + 1);
}

// The path that a write to chemin reaches: its last component's symbolic links followed, a
// dangling link leading to the file that the write would create.
bool suit_liens(const std::string& chemin, std::string& cible) {
    cible = chemin;
    for (int i = 0; i < LIENS_MAX; ++i) {
        struct stat etat;
        if (::lstat(cible.c_str(), &etat) != 0 || !S_ISLNK(etat.st_mode)) return true;
        std::string lien(static_cast<size_t>(etat.st_size) + 1, '\0');
        ssize_t n = ::readlink(cible.c_str(), &lien[0], lien.size());
        if (n < 0 || static_cast<size_t>(n) >= lien.size()) return false; // changed meanwhile
        lien.resize(static_cast<size_t>(n));
        cible = lien[0] == '/' ? lien : dossier_de(cible) + lien;
    }
    errno = ELOOP;
    return false;
}

void abandonne(sortie_fichier& sortie) {
    if (!sortie.temporaire.empty()) ::unlink(sortie.temporaire.c_str());
    if (sortie.descripteur >= 0) ::close(sortie.descripteur);
    sortie.temporaire.clear();
    sortie.descripteur = -1;
}

void abandonne_tout(std::vector<sortie_fichier>& sorties) {
    for (sortie_fichier& sortie : sorties) abandonne(sortie);
}

// A short name of our own beside the target: "chemin.XXXXXX" could pass the file system's limit
// on names when chemin's own name is near it.
bool ecrit_temporaire(sortie_fichier& sortie, int& cause) {
    std::string modele = dossier_de(sortie.cible) + ".quorvel-XXXXXX";
    int descripteur = ::mkstemp(&modele[0]);
    if (descripteur < 0) {
        cause = errno;
        return false;
    }
    sortie.temporaire = modele;
    bool ecrit =
        ::fchmod(descripteur, droits_habituels()) == 0 && ecrit_tout(descripteur, sortie.contenu);
    cause = errno;
    if (::close(descripteur) != 0 && ecrit) {
        ecrit = false;
        cause = errno;
    }
    return ecrit;
}

// What a write to cible would meet: nothing (a new file), a regular file, or a special one.
bool prepare(sortie_fichier& sortie, int& cause) {
    if (!suit_liens(sortie.chemin, sortie.cible)) {
        cause = errno;
        return false;
    }
    struct stat etat;
    if (sortie.cible.empty()) {
        cause = ENOENT;
        return false;
    }
    if (::stat(sortie.cible.c_str(), &etat) != 0) {
        if (errno != ENOENT) {
            cause = errno;
            return false;
        }
        if (sortie.cible.back() == '/') {
            cause = ENOENT;
            return false;
        }
        return ecrit_temporaire(sortie, cause);
    }
    if (S_ISDIR(etat.st_mode)) {
        cause = EISDIR;
        return false;
    }
    if (S_ISREG(etat.st_mode)) return ecrit_temporaire(sortie, cause);
    sortie.descripteur = ::open(sortie.cible.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    cause = errno;
    return sortie.descripteur >= 0;
}

bool installe(sortie_fichier& sortie, int& cause) {
    if (sortie.descripteur >= 0) {
        bool ecrit = ecrit_tout(sortie.descripteur, sortie.contenu);
        cause = errno;
        if (::close(sortie.descripteur) != 0 && ecrit) {
            ecrit = false;
            cause = errno;
        }
        sortie.descripteur = -1;
        return ecrit;
    }
    if (::rename(sortie.temporaire.c_str(), sortie.cible.c_str()) != 0) {
        cause = errno;
        return false;
    }
    sortie.temporaire.clear();
    return true;
}

struct identite {
    bool existe;
    dev_t peripherique;
    ino_t inode;
    bool caracteres; // a character device
    std::string nom; // of a file not made yet, in the folder given by peripherique and inode
};

bool identifie(const std::string& chemin, identite& id) {
    struct stat etat;
    if (chemin == "-" && ::fstat(STDIN_FILENO, &etat) != 0) return false;
    id.existe = chemin == "-" || ::stat(chemin.c_str(), &etat) == 0;
    if (!id.existe) {
        std::string cible;
        if (!suit_liens(chemin, cible)) return false;
        std::string dossier = dossier_de(cible);
        if (::stat(dossier.empty() ? "." : dossier.c_str(), &etat) != 0) return false;
        id.nom = nom_de(cible);
    }
    id.peripherique = etat.st_dev;
    id.inode = etat.st_ino;
    id.caracteres = id.existe && S_ISCHR(etat.st_mode);
    return true;
}

} // namespace

bool prepare_sorties(std::vector<sortie_fichier>& sorties, std::string& erreur) {
    for (sortie_fichier& sortie : sorties) {
        int cause = 0;
        if (!prepare(sortie, cause)) {
            erreur = sortie.chemin + ": " + raison_systeme(cause, true);
            abandonne_tout(sorties);
            return false;
        }
    }
    return true;
}

bool installe_sorties(std::vector<sortie_fichier>& sorties, std::string& erreur) {
    // The special files first: they may still fail (a full device) while nothing is replaced.
    for (bool en_place : {true, false}) {
        for (sortie_fichier& sortie : sorties) {
            if ((sortie.descripteur >= 0) != en_place || (!en_place && sortie.temporaire.empty()))
                continue;
            int cause = 0;
            if (!installe(sortie, cause)) {
                erreur = sortie.chemin + ": " + raison_systeme(cause, true);
                abandonne_tout(sorties);
                return false;
            }
        }
    }
    return true;
}

bool meme_fichier(const std::string& premier, const std::string& second) {
    identite a;
    identite b;
    if (!identifie(premier, a) || !identifie(second, b)) return false;
    if (a.existe != b.existe || a.caracteres || b.caracteres) return false;
    return a.peripherique == b.peripherique && a.inode == b.inode && a.nom == b.nom;
}
