// The machine's whole address space: 65536 byte cells with a byte view and a big-endian word view.
#ifndef QUORVEL_MEMOIRE_H
#define QUORVEL_MEMOIRE_H

#include <cstddef>
#include <cstdint>
#include <string>

class mem_64k {
  public:
    // One byte per cell; the upper 8 bits of a cell stay 0 because every store zero-extends a byte.
    uint16_t mem[65536];

    mem_64k();

    // The hot path of every step: keep these two inline.
    uint8_t read_byte(uint16_t adresse) const { return static_cast<uint8_t>(mem[adresse]); }
    void write_byte(uint16_t adresse, uint8_t valeur) { mem[adresse] = valeur; }

    // High byte at the lower address. The word at $FFFF is 0: it would need a cell past $FFFF,
    // and nothing wraps around to $0000.
    uint16_t read_word(uint16_t adresse) const {
        if (adresse == 0xFFFF) return 0;
        return static_cast<uint16_t>(mem[adresse] << 8 | mem[adresse + 1]);
    }
    void write_word(uint16_t adresse, uint16_t valeur);

    // Clears memory and loads a program file: 1 when the file could be opened, 0 otherwise
    // (memory then left as it was).
    int load_binaire(const std::string& nom_fichier);

    // The same from the bytes of a program file held in memory (header included).
    int load_octets(const uint8_t* octets, size_t taille);

    void efface(uint8_t valeur);
};

#endif
