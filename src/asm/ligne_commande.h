// The command lines of the tools, read with CLI11 and spoken in French: the help and the version
// on standard output with exit status 0, any mistake a French message on standard error with
// exit status 2, never CLI11's own texts or exit codes.
#ifndef QUORVEL_ASM_LIGNE_COMMANDE_H
#define QUORVEL_ASM_LIGNE_COMMANDE_H

#include <CLI/CLI.hpp>

#include <string>

constexpr int SORTIE_USAGE = 2;

// Puts app's help text in French (its headings, the type names, "-h, --help") and, when version
// is not empty, adds "--version", which prints it. Call it before adding the options, so that
// they come after the help flag in the help text.
void francise(CLI::App& app, const std::string& version);

struct resultat_analyse {
    bool continuer = true; // the command line is right: the tool goes on with its work
    int code = 0;          // otherwise its exit status: 0 after --help or --version, else 2
    std::string sortie;    // for standard output: the help text or the version line
    std::string erreur;    // for standard error: "TOOL: message" and a line on --help
};

// Runs app.parse over the command line and says what the tool does next. Exceptions other than
// CLI11's parse errors (from the tool's own callbacks) are let through.
resultat_analyse analyse_ligne_commande(CLI::App& app, int argc, const char* const* argv);

// As analyse_ligne_commande, then prints the help, the version or the error. Returns -1 when the
// tool goes on, else the exit status to return at once.
int lit_ligne_commande(CLI::App& app, int argc, const char* const* argv);

// The French text of a CLI11 parse error that app's parse threw, without the tool's name. A
// validator's own message is kept as it is ("OPTION: message"): the tools give French ones.
std::string message_francais(const CLI::ParseError& erreur, const CLI::App& app);

#endif
