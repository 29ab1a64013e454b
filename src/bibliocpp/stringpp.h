// Number texts: reading typed numbers and writing bytes and counts as text.
// Every function gives a result for every input: a malformed text still reads as a number.
#ifndef QUORVEL_STRINGPP_H
#define QUORVEL_STRINGPP_H

#include <cstdint>
#include <string>

// Hexadecimal from the first occurrence of prefixe on (prefix included), decimal without it.
int32_t Stoloruhex(const std::string& prefixe, const std::string& texte);
// Decimal: every character after the first counts as (its code - '0'), a leading '-' negates.
int32_t Stol(const std::string& texte);
// Hexadecimal: a character that is not a hexadecimal digit counts as the digit 0.
uint32_t Stouhex(const std::string& texte);
// The text from position on; empty at the end or past it.
std::string my_after(const std::string& texte, int position);
// Bits 7 to 0 of valeur as eight characters '0' or '1'.
std::string bin8toS(int32_t valeur);
// valeur in decimal digits.
std::string unslong2S(uint32_t valeur);

#endif
