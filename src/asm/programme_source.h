// A source turned into what a machine loads: the program file's bytes and the labels, with the
// diagnostics as quorvel-asm writes them. The window and the headless runner both load sources
// through it, so they cannot disagree on what a source gives.
#ifndef QUORVEL_ASM_PROGRAMME_SOURCE_H
#define QUORVEL_ASM_PROGRAMME_SOURCE_H

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

// A source is a file whose name ends in ".s", in either case, as the file chooser's pattern
// matches it; anything else is a program file.
bool est_nom_de_source(const std::string& chemin);

struct source_assemblee {
    std::vector<std::string> diagnostics; // every one, "NOM:LIGNE: message", warnings too
    std::vector<std::string> erreurs;     // the errors alone, in the same form and order
    std::vector<uint8_t> fichier;         // the program file's bytes; empty after an error
    std::unordered_map<std::string, uint16_t> etiquettes; // labels only, not EQU constants
};

// nom: how the diagnostics name the source.
source_assemblee assemble_en_programme(const std::string& texte, const std::string& nom);

#endif
