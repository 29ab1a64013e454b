#include "fichiers.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

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

} // namespace

bool prepare_fichier(const std::string& chemin, const std::string& contenu,
                     fichier_prepare& fichier, std::string& erreur) {
    std::string modele = chemin + ".XXXXXX";
    std::vector<char> nom(modele.begin(), modele.end());
    nom.push_back('\0');
    int descripteur = ::mkstemp(nom.data());
    if (descripteur < 0) {
        erreur = std::strerror(errno);
        return false;
    }
    fichier.chemin = chemin;
    fichier.temporaire = nom.data();
    bool ecrit = ::fchmod(descripteur, droits_habituels()) == 0 && ecrit_tout(descripteur, contenu);
    int cause = errno;
    if (::close(descripteur) != 0 && ecrit) {
        ecrit = false;
        cause = errno;
    }
    if (!ecrit) {
        erreur = std::strerror(cause);
        abandonne_fichier(fichier);
    }
    return ecrit;
}

bool installe_fichier(const fichier_prepare& fichier, std::string& erreur) {
    if (std::rename(fichier.temporaire.c_str(), fichier.chemin.c_str()) == 0) return true;
    erreur = std::strerror(errno);
    abandonne_fichier(fichier);
    return false;
}

void abandonne_fichier(const fichier_prepare& fichier) {
    ::unlink(fichier.temporaire.c_str());
}

bool lit_fichier(const std::string& chemin, std::string& contenu) {
    FILE* entree = std::fopen(chemin.c_str(), "rb");
    if (entree == nullptr) return false;
    contenu.clear();
    char tampon[4096];
    size_t lus;
    while ((lus = std::fread(tampon, 1, sizeof tampon, entree)) > 0) contenu.append(tampon, lus);
    bool lu = std::ferror(entree) == 0; // a folder opens, but does not read
    std::fclose(entree);
    return lu;
}
