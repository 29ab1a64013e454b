#include "console.h"

#include "ecriture.h"

#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <string>
#include <unistd.h>

bool console_ouverte = true;

namespace {

enum class destination { erreur_standard, descripteur, rien };

struct etat_console {
    destination vers = destination::erreur_standard;
    int descripteur = STDERR_FILENO;
    bool possede = false; // opened by console_vers_fichier, closed when the destination changes
    genre_sortie genre =
        genre_sortie::ordinaire; // read when the window mode or a destination is set
    bool fenetre = false;
    unsigned long perdues = 0;
    bool instructions_seules = false; // only console_ligne_instruction's lines go out
    bool lecteur_parti = false;       // window mode: the reader has closed its end
    std::string debut;                // window mode: a text without line end, waiting for its line
};

etat_console etat;

void change_destination(destination vers, int descripteur, bool possede) {
    if (etat.possede) close(etat.descripteur);
    etat.vers = vers;
    etat.descripteur = descripteur;
    etat.possede = possede;
    etat.genre = vers == destination::rien ? genre_sortie::ordinaire : genre_de(descripteur);
    etat.perdues = 0;
    etat.debut.clear();
    etat.lecteur_parti = false;
    console_ouverte = vers != destination::rien && !etat.instructions_seules;
}

// The default mode on standard error. A closed reader must end the program quietly, so SIGPIPE
// is held back in this thread for the write; the line still goes through std::cerr.
void emet_flux_erreur(const char* texte, size_t taille) {
    sigpipe_retenu retenu;
    if (!std::cerr) std::cerr.clear(); // an earlier failure must not silence every later line
    errno = 0;
    std::cerr.write(texte, static_cast<std::streamsize>(taille));
    int erreur = errno;
    std::cerr.flush();
    if (!std::cerr && (erreur == EPIPE || errno == EPIPE)) {
        console_ouverte = false; // nothing more from the exit's own clean-up
        fin_lecteur_parti();
    }
}

void emet_fenetre(const char* texte, size_t taille, bool fin_de_ligne) {
    if (!fin_de_ligne) {
        etat.debut.append(texte, taille);
        return;
    }
    std::string ensemble;
    if (etat.perdues > 0 || !etat.debut.empty()) {
        if (etat.perdues > 0)
            ensemble = std::to_string(etat.perdues) + " lignes de trace perdues\n";
        ensemble += etat.debut;
        ensemble.append(texte, taille);
        texte = ensemble.data();
        taille = ensemble.size();
    }
    etat.debut.clear();
    switch (ecrit_sans_attendre(etat.descripteur, etat.genre, texte, taille)) {
    case ecriture_immediate::ecrite: etat.perdues = 0; break;
    case ecriture_immediate::refusee:
    case ecriture_immediate::en_erreur: ++etat.perdues; break;
    case ecriture_immediate::fermee:
        console_ouverte = false;
        etat.lecteur_parti = true;
        break;
    }
}

void emet(const char* texte, size_t taille, bool fin_de_ligne) {
    int errno_appelant = errno; // a caller may write a line before reporting its own error
    if (etat.fenetre)
        emet_fenetre(texte, taille, fin_de_ligne);
    else if (etat.vers == destination::erreur_standard)
        emet_flux_erreur(texte, taille);
    else
        ecrit_tout(etat.descripteur, texte, taille); // a lost line on another error, as stdio does
    errno = errno_appelant;
}

} // namespace

void console_vers_erreur_standard() {
    change_destination(destination::erreur_standard, STDERR_FILENO, false);
}

bool console_vers_fichier(const std::string& chemin) {
    // Without O_NONBLOCK, opening a FIFO that nobody reads would wait for a reader.
    int descripteur = open(chemin.c_str(),
                           O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0644);
    if (descripteur < 0) return false;
    int drapeaux = fcntl(descripteur, F_GETFL);
    if (drapeaux >= 0) fcntl(descripteur, F_SETFL, drapeaux & ~O_NONBLOCK);
    change_destination(destination::descripteur, descripteur, true);
    return true;
}

void console_vers_descripteur(int descripteur) {
    change_destination(destination::descripteur, descripteur, false);
}

void console_vers_rien() {
    change_destination(destination::rien, -1, false);
}

void console_mode_outil() {
    etat.fenetre = false;
    etat.perdues = 0;
    etat.debut.clear();
}

void console_mode_fenetre() {
    std::signal(SIGPIPE, SIG_IGN);
    etat.fenetre = true;
    if (etat.vers != destination::rien) etat.genre = genre_de(etat.descripteur);
}

unsigned long console_lignes_perdues() {
    return etat.perdues;
}

void console_ligne(std::string_view texte) {
    if (!console_ouverte) return;
    char tampon[256];
    if (texte.size() < sizeof tampon) {
        std::memcpy(tampon, texte.data(), texte.size());
        tampon[texte.size()] = '\n';
        emet(tampon, texte.size() + 1, true);
    } else {
        std::string ligne(texte);
        ligne += '\n';
        emet(ligne.data(), ligne.size(), true);
    }
}

void console_lignef(const char* format, ...) {
    if (!console_ouverte) return;
    char tampon[256];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(tampon, sizeof tampon, format, args);
    va_end(args);
    if (n < 0) return;
    if (static_cast<size_t>(n) < sizeof tampon) {
        console_ligne(std::string_view(tampon, static_cast<size_t>(n)));
        return;
    }
    std::string long_texte(static_cast<size_t>(n) + 1, '\0');
    va_start(args, format);
    std::vsnprintf(long_texte.data(), long_texte.size(), format, args);
    va_end(args);
    long_texte.pop_back();
    console_ligne(long_texte);
}

void console_texte(std::string_view texte) {
    if (!console_ouverte) return;
    emet(texte.data(), texte.size(), false);
}

void console_instructions_seules(bool seules) {
    etat.instructions_seules = seules;
    console_ouverte = etat.vers != destination::rien && !seules && !etat.lecteur_parti;
}

void console_ligne_instruction(std::string_view ligne) {
    if (etat.vers == destination::rien || etat.lecteur_parti) return;
    emet(ligne.data(), ligne.size(), true);
}
