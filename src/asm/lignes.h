// One line of an assembler source: "[label:] [mnemonic|directive [operands]] [; comment]", or
// "NAME EQU value".
#ifndef QUORVEL_ASM_LIGNES_H
#define QUORVEL_ASM_LIGNES_H

#include <cstdint>
#include <string>
#include <vector>

enum genre_ligne { LIGNE_VIDE, LIGNE_INSTRUCTION, LIGNE_ORG, LIGNE_DB, LIGNE_DW, LIGNE_EQU };

struct ligne_source {
    int numero = 0;
    std::string texte;     // as written, for the listing
    std::string etiquette; // the name that the line defines: a label, or the constant of EQU
    genre_ligne genre = LIGNE_VIDE;
    int instruction = 0; // LIGNE_INSTRUCTION: number and addressing mode
    int mode = 0;
    std::vector<std::string> operandes; // one per field, blanks removed
    std::string erreur;                 // what makes the line unreadable; empty if none

    // Set by the passes.
    long adresse = 0;
    std::vector<uint8_t> octets;
};

ligne_source lit_ligne(const std::string& texte, int numero);

#endif
