#include "ecriture.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

void ignore_sigpipe() {
    std::signal(SIGPIPE, SIG_IGN);
}

void ecrit_sortie(int descripteur, std::string_view texte) {
    size_t ecrits = 0;
    while (ecrits < texte.size()) {
        ssize_t n = ::write(descripteur, texte.data() + ecrits, texte.size() - ecrits);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            // Nobody reads any more (EPIPE): nothing to say and nobody to say it to. Any other
            // failure is told on standard error, if that still works.
            if (n < 0 && errno != EPIPE && descripteur != 2) {
                std::string message =
                    std::string("quorvel-run: ecriture impossible: ") + std::strerror(errno) + "\n";
                [[maybe_unused]] ssize_t ignore = ::write(2, message.data(), message.size());
            }
            std::_Exit(SORTIE_ECHEC);
        }
        ecrits += static_cast<size_t>(n);
    }
}
