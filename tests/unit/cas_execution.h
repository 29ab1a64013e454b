// One executed instruction as a row: the machine before, the machine after, the console text.
// Every row runs through step(), that is through the dispatch table, as the simulator runs it.
#ifndef QUORVEL_CAS_EXECUTION_H
#define QUORVEL_CAS_EXECUTION_H

#include "outils_test.h"

#include <cstdio>

constexpr uint8_t N = mac_interpreteur::CCR_N;
constexpr uint8_t Z = mac_interpreteur::CCR_Z;
constexpr uint8_t V = mac_interpreteur::CCR_V;
constexpr uint8_t C = mac_interpreteur::CCR_C;

struct cas_execution {
    const char* nom;
    uint16_t pc;
    std::vector<uint8_t> code;    // from pc on, wrapping past $FFFF
    std::vector<cellule> donnees; // other cells; the rest of memory is the fresh $FF
    uint8_t a;
    uint16_t x;
    uint8_t ccr;
    uint8_t a_apres;
    uint16_t x_apres;
    uint8_t ccr_apres;
    uint16_t pc_apres;
    std::vector<cellule> ecrites; // the only cells that may change
    const char* console;
};

inline std::string hexa(unsigned valeur, int chiffres) {
    char texte[16];
    std::snprintf(texte, sizeof texte, "$%0*X", chiffres, valeur);
    return texte;
}

inline void verifie_cas(const cas_execution& cas) {
    SCOPED_TRACE(cas.nom);
    machine_test m;
    m.place(cas.pc, cas.code);
    m.place(cas.donnees);
    m.inter.set_A_value(cas.a);
    m.inter.set_X_value(cas.x);
    m.inter.CCR = cas.ccr;
    m.inter.set_PC_value(cas.pc);
    std::vector<uint8_t> avant = instantane(*m.memoire);
    std::string console;
    {
        capture_console capture;
        EXPECT_EQ(m.inter.step(), 0);
        console = capture.texte();
    }
    EXPECT_EQ(hexa(m.inter.A_value(), 2), hexa(cas.a_apres, 2)) << "A";
    EXPECT_EQ(hexa(m.inter.X_value(), 4), hexa(cas.x_apres, 4)) << "X";
    EXPECT_EQ(hexa(m.inter.CCR_value(), 2), hexa(cas.ccr_apres, 2)) << "CCR";
    EXPECT_EQ(hexa(m.inter.PC_value(), 4), hexa(cas.pc_apres, 4)) << "PC";
    EXPECT_EQ(m.inter.tmpA_value(), 0) << "tmpA";
    EXPECT_EQ(console, cas.console);
    attend_memoire(*m.memoire, avant, cas.ecrites);
}

#endif
