// The assembler of the accumulator machine: a source text in, the bytes of a program file, a
// listing and the diagnostics out. No file and no console here, so that tests call it directly.
#ifndef QUORVEL_ASM_ASSEMBLEUR_H
#define QUORVEL_ASM_ASSEMBLEUR_H

#include "lignes.h"

#include <cstdint>
#include <string>
#include <vector>

// The header declares the size as a signed 16-bit number that includes its own 4 bytes.
constexpr int TAILLE_PROGRAMME_MAX = 32767 - 4;

struct diagnostic_asm {
    int ligne; // 0: the whole file
    bool erreur;
    std::string message;
};

struct symbole_asm {
    std::string nom;
    long valeur;
    bool etiquette; // a label is an address, which a branch makes relative; a constant is not
    int ligne;
};

struct programme_asm {
    std::vector<ligne_source> lignes;
    std::vector<symbole_asm> symboles;       // in the order of definition
    std::vector<diagnostic_asm> diagnostics; // by line, those of the whole file last
    int nb_erreurs = 0;
    uint16_t base = 0;           // lowest address that receives a byte
    std::vector<uint8_t> octets; // from base up, gaps filled with 0
};

programme_asm assemble(const std::string& source);

const symbole_asm* cherche_symbole(const programme_asm& programme, const std::string& nom);

#endif
