// The assembler's view of the instruction set. Everything comes from the core library's tables,
// so the assembler speaks exactly the language that the disassembler writes.
#ifndef QUORVEL_ASM_JEU_H
#define QUORVEL_ASM_JEU_H

#include <string>

// Finds the instruction named by a word, in either case. "ADDI" names ADD with immediat set:
// the disassembler glues an "I" on the mnemonic in mode 1.
bool cherche_mnemonique(const std::string& mot, int& instruction, bool& immediat);

// Mnemonics, their "I" forms and the directives cannot name a label or a constant.
bool est_nom_reserve(const std::string& nom);

// Instruction byte followed by operand bytes, as decoding reads them.
inline int octet_instruction(int instruction, int mode) {
    return instruction * 4 + mode;
}
int taille_instruction(int instruction, int mode);

// What the machine will make of a form that assembles but does not run as it reads; empty when
// the form runs as written.
std::string avertissement_forme(int instruction, int mode);

#endif
