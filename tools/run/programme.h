// The program that a headless run loads: a program file, an assembly source (assembled in
// memory), or standard input.
#ifndef QUORVEL_RUN_PROGRAMME_H
#define QUORVEL_RUN_PROGRAMME_H

#include "machine.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

enum lecture_programme { PROGRAMME_LU, PROGRAMME_ILLISIBLE, PROGRAMME_ERRONE };

struct programme_lu {
    std::string chemin; // as given; "-" for standard input
    bool source = false;
    // The program file's bytes; for a program file named by its path, read only when asked
    // (the runner loads it through the window's own loader).
    std::vector<uint8_t> octets;
    bool octets_lus = false;
    std::unordered_map<std::string, uint16_t> etiquettes; // the source's labels
    // Diagnostic lines exactly as quorvel-asm writes them, warnings included.
    std::vector<std::string> diagnostics;
    std::vector<bool> erreurs; // by diagnostic: an error, not a warning
};

// A source ends in ".s"; standard input is a source when it reads as text (a program file has
// control bytes: its header, and the instruction bytes below $20).
bool est_source(const std::string& chemin, const std::string& contenu);

// Reads (and assembles) the program. lit_binaire: also read a program file's bytes now.
lecture_programme lit_programme(const std::string& chemin, bool lit_binaire,
                                programme_lu& programme);

// The load as the window's "Ouvrir fichier binaire" does it (memory, PC, the step count), then
// the labels; 0 when a program file cannot be read (machine unchanged).
int charge_programme(machine& m, const programme_lu& programme);

#endif
