// CLI11 reports a wrong command line in English: this gives the same fault in French, naming
// the option, for the usage message of an exit with status 2.
#ifndef QUORVEL_RUN_CLI11_FRANCAIS_H
#define QUORVEL_RUN_CLI11_FRANCAIS_H

#include <CLI/Error.hpp>

#include <string>

std::string message_cli11(const CLI::ParseError& erreur);

#endif
