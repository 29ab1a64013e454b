#include "ecriture.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <poll.h>
#include <pthread.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Until the descriptor can take data again, or it reports an error (that the write then gives).
void attend_place(int descripteur) {
    pollfd attente{descripteur, POLLOUT, 0};
    while (poll(&attente, 1, -1) < 0 && errno == EINTR) {
    }
}

bool peut_prendre_maintenant(int descripteur) {
    pollfd attente{descripteur, POLLOUT, 0};
    // POLLERR or POLLHUP counts as ready: the write then reports the closed reader.
    return poll(&attente, 1, 0) > 0;
}

} // namespace

sigpipe_retenu::sigpipe_retenu() {
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe, &ancien);
}

sigpipe_retenu::~sigpipe_retenu() {
    pthread_sigmask(SIG_SETMASK, &ancien, nullptr);
}

void fin_lecteur_parti() {
    // The SIGPIPE still pending is dropped, and so is any other that the exit's own flushes of
    // stdio streams would raise on the same pipe.
    std::signal(SIGPIPE, SIG_IGN);
    // A write from the exit's own clean-up may find the same closed pipe: exit only once.
    static bool en_cours = false;
    if (en_cours) _exit(1);
    en_cours = true;
    std::exit(1);
}

genre_sortie genre_de(int descripteur) {
    struct stat etat;
    if (fstat(descripteur, &etat) != 0) return genre_sortie::ordinaire;
    if (S_ISFIFO(etat.st_mode)) return genre_sortie::tube;
    if (S_ISSOCK(etat.st_mode)) return genre_sortie::prise;
    return genre_sortie::ordinaire;
}

bool ecrit_tout(int descripteur, const void* donnees, size_t taille) {
    sigpipe_retenu retenu;
    const char* octets = static_cast<const char*>(donnees);
    size_t faits = 0;
    while (faits < taille) {
        ssize_t n = write(descripteur, octets + faits, taille - faits);
        if (n > 0) {
            faits += static_cast<size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            attend_place(descripteur);
        } else if (n < 0 && errno == EPIPE) {
            fin_lecteur_parti();
        } else {
            if (n == 0) errno = EIO;
            return false;
        }
    }
    return true;
}

ecriture_immediate ecrit_sans_attendre(int descripteur, genre_sortie genre, const char* donnees,
                                       size_t taille) {
    if (genre == genre_sortie::ordinaire) {
        size_t faits = 0;
        while (faits < taille) {
            ssize_t n = write(descripteur, donnees + faits, taille - faits);
            if (n > 0)
                faits += static_cast<size_t>(n);
            else if (n < 0 && errno == EINTR)
                continue;
            else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
                attend_place(descripteur);
            else
                return ecriture_immediate::en_erreur;
        }
        return ecriture_immediate::ecrite;
    }
    if (!peut_prendre_maintenant(descripteur)) return ecriture_immediate::refusee;
    // After POLLOUT a pipe has a free page, so a line up to PIPE_BUF goes in whole without
    // waiting; a socket is asked not to wait for the first bytes.
    size_t faits = 0;
    while (faits < taille) {
        ssize_t n;
        if (genre == genre_sortie::prise)
            n = send(descripteur, donnees + faits, taille - faits,
                     MSG_NOSIGNAL | (faits == 0 ? MSG_DONTWAIT : 0));
        else
            n = write(descripteur, donnees + faits, taille - faits);
        if (n > 0) {
            faits += static_cast<size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (faits == 0) return ecriture_immediate::refusee;
            attend_place(descripteur);
        } else if (n < 0 && errno == EPIPE) {
            return ecriture_immediate::fermee;
        } else {
            return ecriture_immediate::en_erreur;
        }
    }
    return ecriture_immediate::ecrite;
}
