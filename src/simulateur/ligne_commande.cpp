#include "ligne_commande.h"

#include <cstring>

namespace {

const char* const OPTION_TRACE = "--trace";
const char* const USAGE = "usage: quorvel [--trace=complete|instructions|aucune] [PROGRAMME]";

struct nom_mode {
    const char* nom;
    mode_trace mode;
};

const nom_mode modes[] = {
    {"complete", TRACE_COMPLETE},
    {"instructions", TRACE_INSTRUCTIONS},
    {"aucune", TRACE_AUCUNE},
};

// "--trace" itself, or "--trace=" and a value; "--tracefoo" is some other argument.
bool est_option_trace(const char* argument) {
    size_t n = std::strlen(OPTION_TRACE);
    return std::strncmp(argument, OPTION_TRACE, n) == 0 &&
           (argument[n] == '\0' || argument[n] == '=');
}

} // namespace

bool lit_option_trace(int argc, char** argv, mode_trace& mode, std::string& erreur) {
    mode = TRACE_COMPLETE;
    for (int n = 1; n < argc; n++) {
        if (!est_option_trace(argv[n])) continue;
        const char* egal = std::strchr(argv[n], '=');
        const char* valeur = egal ? egal + 1 : "";
        bool connu = false;
        for (const nom_mode& m : modes)
            if (egal && std::strcmp(valeur, m.nom) == 0) {
                mode = m.mode;
                connu = true;
            }
        if (!connu) {
            erreur = *valeur ? std::string("quorvel: mode de trace \"") + valeur + "\" inconnu; "
                             : std::string("quorvel: --trace sans mode; ");
            erreur += USAGE;
            return false;
        }
    }
    return true;
}

std::string programme_en_argument(int argc, char** argv) {
    for (int n = 1; n < argc; n++) {
        if (std::strcmp(argv[n], "-automemlink") == 0) {
            n++; // its value, whatever it looks like
            continue;
        }
        // An empty argument names no file (a launcher's empty %f).
        if (argv[n][0] != '-' && argv[n][0] != '\0') return argv[n];
    }
    return "";
}
