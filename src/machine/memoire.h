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

    // Clears memory and loads a program file (a 4-byte header: the size, header included, as a
    // signed 16-bit big-endian number, then the 16-bit big-endian base address; then the
    // program's bytes): 1. Fails with 0 when the file gives no header (it cannot be opened or
    // read, is a folder or anything but a regular file, holds fewer than 4 bytes); memory and
    // everything else are then left as they were. Opens without waiting, so that a FIFO or a
    // device never blocks the caller.
    int load_binaire(const std::string& nom_fichier);
    // As above; raison receives the reason for a failure, as the console writes it after "erreur
    // sur fichier " ("fichier introuvable", "acces refuse", "c'est un dossier", "ce n'est pas un
    // fichier ordinaire", "fichier vide ou trop court", "erreur de lecture"); emptied on success.
    int load_binaire(const std::string& nom_fichier, std::string& raison);
    // The same load from the bytes of a program file already in memory (an assembled program):
    // same rules, result, reasons and console lines, without the "lecture de" line.
    int load_octets(const uint8_t* octets, size_t taille, std::string& raison);

    void efface(uint8_t valeur);
};

#endif
