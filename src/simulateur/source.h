// Sources of the assembler opened in the simulator: which file is one, and what assembling it
// gives. No toolkit here.
#ifndef QUORVEL_SOURCE_H
#define QUORVEL_SOURCE_H

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

// A source is a file whose name ends in ".s", in either case, as the file chooser's pattern
// matches it; anything else is a program file.
bool est_source(const std::string& chemin);

struct source_assemblee {
    bool lue = false;
    std::vector<std::string> diagnostics; // every one, "FICHIER:LIGNE: message", warnings too
    std::vector<std::string> erreurs;     // the errors alone, in the same form and order
    std::vector<uint8_t> fichier;         // the program file's bytes; empty after an error
    std::unordered_map<std::string, uint16_t> etiquettes;
};

// Reads and assembles the file. The diagnostics name it without its folder.
source_assemblee assemble_source(const std::string& chemin);

// What the alert says about a source with errors: the first ten, then how many more.
std::string texte_alerte_assemblage(const std::vector<std::string>& erreurs);

#endif
