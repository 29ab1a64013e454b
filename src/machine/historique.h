// The way back of a machine session. For each executed instruction it keeps the registers and the
// ports as they were just before it, then the old value of every cell written since, by the
// instruction or by an edit (a memory fill), so that undoing an instruction also undoes the edits
// made after it. A typed register or a clicked switch needs no record of its own: the next
// snapshot, or the undo of the last one, puts the registers and the ports back whole.
//
// Memory: 20 bytes per instruction plus 4 per written cell, so a million instructions of a
// program that edits nothing take at most 24 MB. Past the limit, the oldest instructions go.
#ifndef QUORVEL_HISTORIQUE_H
#define QUORVEL_HISTORIQUE_H

#include "interpreteur.h"
#include "memoire.h"
#include "port.h"

#include <cstddef>
#include <cstdint>
#include <deque>

class historique {
  public:
    static constexpr size_t LIMITE_DEFAUT = size_t(64) << 20;
    static constexpr int NB_PORTS_NOTES = 3;

    bool actif() const { return actif_; }
    // Turning it off forgets everything: edits made while off could not be undone.
    void active(bool oui);
    // The newest instructions are kept within this many bytes of records.
    void limite(size_t octets);

    // Just before the instruction at PC runs.
    void note_instruction(const mac_interpreteur& inter, const mem_64k& memoire,
                          const port_machine* ports);
    // Just before an edit writes valeur at adresse. Before the first instruction there is
    // nothing to undo, so nothing to note.
    void note_ecriture(const mem_64k& memoire, uint16_t adresse, uint8_t valeur) {
        if (entrees.empty() || memoire.read_byte(adresse) == valeur) return;
        journal.push_back(code_cellule(adresse, memoire.read_byte(adresse)));
        if (octets() > limite_) reduit();
    }
    // Puts back the registers, the memory and the ports as they were just before the last
    // noted instruction, and forgets it. False when there is nothing to undo.
    bool defait(mac_interpreteur& inter, mem_64k& memoire, port_machine* ports);
    void vide();

    // Instructions that can be undone.
    size_t taille() const { return entrees.size(); }
    // Bytes of records held, what the limit is compared with.
    size_t octets() const {
        return entrees.size() * sizeof(instantane) + journal.size() * sizeof(uint32_t);
    }

  private:
    struct instantane {
        uint32_t debut_journal; // index of its first cell in the journal, counted since vide()
        uint16_t PC, X;
        uint8_t A, tmpA, CCR;
        uint8_t valeur[NB_PORTS_NOTES], direction[NB_PORTS_NOTES], registre[NB_PORTS_NOTES];
    };
    static uint32_t code_cellule(uint16_t adresse, uint8_t valeur) {
        return uint32_t(adresse) << 8 | valeur;
    }

    // Drops the oldest instructions until the records fit the limit.
    void reduit();

    bool actif_ = false;
    size_t limite_ = LIMITE_DEFAUT;
    std::deque<instantane> entrees;
    // Each cell as adresse << 8 | old value, oldest first.
    std::deque<uint32_t> journal;
    uint32_t debut_ = 0; // index of journal.front(), counted since vide(); wraps harmlessly
};

#endif
