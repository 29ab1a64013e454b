// What the assembler hands out: the program file's bytes, the listing and the diagnostic lines.
#ifndef QUORVEL_ASM_SORTIE_H
#define QUORVEL_ASM_SORTIE_H

#include "assembleur.h"

#include <cstdint>
#include <string>
#include <vector>

// The loader's format: size (header included, signed 16-bit) and base address (unsigned 16-bit),
// both big-endian, then the bytes.
std::vector<uint8_t> fichier_programme(const programme_asm& programme);

// Address, bytes and source for each line, then the symbols; numbers in lower-case hexadecimal
// without prefix, as the simulator's views show them.
std::string texte_listing(const programme_asm& programme);

// "SOURCE.s:LINE: message", with "avertissement: " before the message of a warning.
std::string texte_diagnostic(const std::string& source, const diagnostic_asm& diagnostic);

#endif
