// The assembler of the accumulator machine: a source text in, the bytes of a program file, a
// listing and the diagnostics out. No file and no console here, so that tests call it directly.
#ifndef QUORVEL_ASM_ASSEMBLEUR_H
#define QUORVEL_ASM_ASSEMBLEUR_H

#include "lignes.h"
#include "symboles.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The header declares the size as a signed 16-bit number that includes its own 4 bytes.
constexpr int TAILLE_PROGRAMME_MAX = 32767 - 4;

// Past this size a source is refused whole: no program of the machine needs more, and the
// assembler's time and memory stay bounded.
constexpr size_t TAILLE_SOURCE_MAX = 16 * 1024 * 1024;

// After this many errors the assembler stops and says so.
constexpr int NB_ERREURS_MAX = 100;

struct diagnostic_asm {
    int ligne; // 0: the whole file
    bool erreur;
    std::string message;
};

// What the listing needs of a line that holds a statement, a name or an error. Blank lines and
// comments get none: a kept line costs far more than its text, and a source may hold millions.
struct ligne_asm {
    int numero = 0;
    uint32_t debut = 0; // the line in programme_asm::source, without its line end
    uint32_t longueur = 0;
    genre_ligne genre = LIGNE_VIDE;
    bool erreur = false; // unreadable or misplaced: the line places nothing
    int symbole = -1;    // the symbol that its name refers to; -1 without a name
    long adresse = 0;    // where its bytes or its label go
    uint32_t octet = 0;  // its bytes: programme_asm::octets_lignes from octet on
    uint32_t nb_octets = 0;
};

struct programme_asm {
    std::string source;
    std::vector<ligne_asm> lignes;      // in the order of the source
    std::vector<uint8_t> octets_lignes; // the bytes of every line, one after the other
    std::vector<symbole_asm> symboles;  // in the order of definition
    index_symboles index;
    std::vector<diagnostic_asm> diagnostics; // by line, those of the whole file last
    int nb_erreurs = 0;
    uint16_t base = 0;           // lowest address that receives a byte
    std::vector<uint8_t> octets; // from base up, gaps filled with 0
};

programme_asm assemble(const std::string& source);

const symbole_asm* cherche_symbole(const programme_asm& programme, const std::string& nom);

#endif
