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
    std::string raison; // why it could not be read
    bool source = false;
    std::vector<uint8_t> octets; // the program file's bytes, read or assembled
    std::unordered_map<std::string, uint16_t> etiquettes; // the source's labels
    // Diagnostic lines exactly as quorvel-asm writes them, warnings included.
    std::vector<std::string> diagnostics;
    std::vector<std::string> erreurs; // the errors alone, in the same form
};

// A source ends in ".s" (or ".S"); standard input is a source when it reads as text (a program file
// has control bytes: its header, and the instruction bytes below $20).
bool est_source(const std::string& chemin, const std::string& contenu);

// Reads (and assembles) the program: any readable file, or "-", as the tools read their inputs.
lecture_programme lit_programme(const std::string& chemin, programme_lu& programme);

// The load as the window's "Ouvrir fichier binaire" does it (memory, PC, the step count), then
// the labels; 0 when the program file is too short (machine unchanged).
int charge_programme(machine& m, const programme_lu& programme);

#endif
