// Helpers shared by the core tests: console capture, a machine on its own memory, memory
// comparison and per-test temporary folders.
#ifndef QUORVEL_OUTILS_TEST_H
#define QUORVEL_OUTILS_TEST_H

#include "interpreteur.h"
#include "memoire.h"

#include "../commun/capture_console.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

// A byte placed in memory before a case runs, or expected there afterwards.
struct cellule {
    uint16_t adresse;
    uint8_t valeur;
};

// The store is 128 KiB: keep it off the stack.
struct machine_test {
    std::unique_ptr<mem_64k> memoire = std::make_unique<mem_64k>();
    mac_interpreteur inter;

    machine_test() { inter.learn_mem(memoire.get()); }

    // Consecutive bytes from adresse on, wrapping past $FFFF like the processor's addresses.
    void place(uint16_t adresse, const std::vector<uint8_t>& octets) {
        for (uint8_t octet : octets) memoire->write_byte(adresse++, octet);
    }
    void place(const std::vector<cellule>& cellules) {
        for (const cellule& c : cellules) memoire->write_byte(c.adresse, c.valeur);
    }
};

// Copy of every cell, to prove that a case changed exactly the cells it should.
inline std::vector<uint8_t> instantane(const mem_64k& memoire) {
    std::vector<uint8_t> copie(65536);
    for (uint32_t a = 0; a < 65536; ++a) copie[a] = memoire.read_byte(static_cast<uint16_t>(a));
    return copie;
}

// Fails (with the offending cells) unless memory equals avant except for the cells listed.
inline void attend_memoire(const mem_64k& memoire, std::vector<uint8_t> avant,
                           const std::vector<cellule>& changees) {
    for (const cellule& c : changees) avant[c.adresse] = c.valeur;
    int ecarts = 0;
    for (uint32_t a = 0; a < 65536 && ecarts < 8; ++a) {
        uint8_t lu = memoire.read_byte(static_cast<uint16_t>(a));
        if (lu != avant[a]) {
            ++ecarts;
            ADD_FAILURE() << "cell $" << std::hex << a << " holds $" << int(lu) << ", expected $"
                          << int(avant[a]);
        }
    }
}

#endif
