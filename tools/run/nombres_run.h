// The one grammar of the numbers that quorvel-run reads, on its command line and in the texts of
// a case file: decimal without a leading zero, or hexadecimal after "0x" or "$". No option takes
// a negative value, so a sign is never part of a number.
#ifndef QUORVEL_RUN_NOMBRES_RUN_H
#define QUORVEL_RUN_NOMBRES_RUN_H

#include <cstdint>
#include <string>

enum lecture_nombre { NOMBRE_LU, NOMBRE_MALFORME, NOMBRE_TROP_GRAND };

// The whole text as one number no larger than maximum.
lecture_nombre lit_nombre_run(const std::string& texte, uint64_t maximum, uint64_t& valeur);

// The usage message for a text that lit_nombre_run refused, naming what was read ("--pas").
std::string message_nombre(const std::string& quoi, const std::string& texte,
                           lecture_nombre lecture, uint64_t maximum);

#endif
