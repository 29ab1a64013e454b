#include "sortie_run.h"

#include "ecriture.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

void ecrit_sortie(int descripteur, std::string_view texte) {
    // A reader that has gone ends the program inside ecrit_tout, quietly, with status 1.
    if (ecrit_tout(descripteur, texte)) return;
    // Any other failure is told on standard error, if that still works.
    if (descripteur != 2) {
        std::string message =
            std::string("quorvel-run: ecriture impossible: ") + std::strerror(errno) + "\n";
        ecrit_tout(2, message);
    }
    std::_Exit(SORTIE_ECHEC);
}
