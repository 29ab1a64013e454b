// The simulator's own arguments besides -automemlink: --trace=MODE and the program to open. They
// are read after the toolkit has taken its options away.
#ifndef QUORVEL_LIGNE_COMMANDE_H
#define QUORVEL_LIGNE_COMMANDE_H

#include <string>

enum mode_trace {
    TRACE_COMPLETE,     // every console line, as without the option
    TRACE_INSTRUCTIONS, // one line per executed instruction, nothing else
    TRACE_AUCUNE,       // nothing
};

// The mode of the last --trace=MODE (TRACE_COMPLETE without one). False on any --trace whose mode
// is not one of complete, instructions, aucune (case included), or that has no "=": erreur is then
// the line that tells why, with the usage.
bool lit_option_trace(int argc, char** argv, mode_trace& mode, std::string& erreur);

// The first argument that does not begin with "-", -automemlink's value and empty arguments set
// aside; "" if none.
std::string programme_en_argument(int argc, char** argv);

#endif
