// The Help window's text: the controls, the keys, breakpoints, step back and speed, the memory
// fill, the program files, the assembler's language and the instruction set.
#ifndef QUORVEL_TEXTE_AIDE_H
#define QUORVEL_TEXTE_AIDE_H

#include "interpreteur.h"

#include <string>
#include <vector>

class Fl_Browser;

// What each instruction does, in a few words, by instruction number.
extern const char* const effet_instruction[NB_INSTRUCTIONS];

// The instruction's row of the table: mnemonic, instruction byte, modes, effect and flags, from
// the processor's own tables.
std::string ligne_instruction(int n);

// The text as logical lines, before wrapping; a line may start with the browser's format codes.
std::vector<std::string> lignes_aide();

// Replaces the browser's text with the text wrapped to the browser's width (the display must be
// open: lines are measured in the browser's fonts).
void remplit_texte_aide(Fl_Browser* navigateur);

#endif
