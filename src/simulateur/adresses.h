// An address typed by the student: a number as the assembler reads it, or a label of the loaded
// source. No toolkit here.
#ifndef QUORVEL_ADRESSES_H
#define QUORVEL_ADRESSES_H

#include <cstdint>
#include <string>
#include <unordered_map>

// "4096", "$1000" or a label (case-sensitive, as in the source), blanks around allowed. False on
// anything else, a number outside 0 to 65535 included.
bool lit_adresse(const std::string& texte,
                 const std::unordered_map<std::string, uint16_t>& etiquettes, uint16_t& adresse);

#endif
