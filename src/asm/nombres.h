// Strict reading of the numbers and names of an assembler source. The simulator's own number
// readers accept any text on purpose; a source must not: a typing error has to be reported.
#ifndef QUORVEL_ASM_NOMBRES_H
#define QUORVEL_ASM_NOMBRES_H

#include <string>

// A name of label or constant: a letter or "_", then letters, digits or "_".
bool est_identificateur(const std::string& texte);

// The text looks like a number (a digit, "-" or "$" first), whether or not it is well formed.
bool commence_comme_nombre(const std::string& texte);

// Reads the whole text as a decimal number ("-" then digits) or a hexadecimal one ("$", "0x" or
// "0X" then digits, "-" allowed before the prefix). False on anything else. A number too large for
// any field of the machine reads as a value just outside every range, so that the range check
// rejects it.
bool lit_nombre(const std::string& texte, long& valeur);

std::string majuscules(std::string texte);
std::string sans_blancs(const std::string& texte);

#endif
