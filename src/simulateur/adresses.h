// An address typed by the student (Ctrl+G, Ctrl+B): a number as the assembler reads it, or a label
// of the loaded source. No toolkit here.
#ifndef QUORVEL_ADRESSES_H
#define QUORVEL_ADRESSES_H

#include <cstdint>
#include <string>
#include <unordered_map>

// "4096", "$1000", "0x1000" or a label (case-sensitive, as in the source), blanks around allowed.
// On anything else, false and erreur says why in French, naming the text: "nombre mal ecrit: X",
// "adresse hors de la memoire ($0000 a $ffff): X" or "\"X\" n'est ni une adresse ni une
// etiquette du programme".
bool lit_adresse(const std::string& texte,
                 const std::unordered_map<std::string, uint16_t>& etiquettes, uint16_t& adresse,
                 std::string& erreur);

#endif
