// What the last executed instruction changed, as the views show it: the registers whose value
// changed and the memory cell that it wrote. It holds until the next instruction, a reset or a
// load (or a step back): anything that moves the session's step count away from the count right
// after that instruction ends it, so no load path has to clear it by hand.
#ifndef QUORVEL_CHANGEMENTS_H
#define QUORVEL_CHANGEMENTS_H

#include "machine.h"

#include <cstdint>

// One bit per register of the panel.
constexpr unsigned CHANGE_A = 1;
constexpr unsigned CHANGE_TMPA = 2;
constexpr unsigned CHANGE_CCR = 4;
constexpr unsigned CHANGE_X = 8;
constexpr unsigned CHANGE_PC = 16;

class changements_vus {
  public:
    // Just before an instruction executes: its registers, the cell that it will write, and the
    // step count that it will leave.
    void avant_pas(const machine& m) {
        const mac_interpreteur& p = m.inter;
        a = p.A_value();
        tmpa = p.tmpA_value();
        ccr = p.CCR_value();
        x = p.X_value();
        pc = p.PC_value();
        cellule_ecrite = p.cellule_ecrite();
        pas = m.compteur_pas + 1;
        actif = true;
    }
    void efface() { actif = false; }

    bool valides(const machine& m) const { return actif && m.compteur_pas == pas; }

    // The registers whose value differs from before the instruction (CHANGE_ bits).
    unsigned registres(const machine& m) const {
        if (!valides(m)) return 0;
        const mac_interpreteur& p = m.inter;
        return (p.A_value() != a ? CHANGE_A : 0) | (p.tmpA_value() != tmpa ? CHANGE_TMPA : 0) |
               (p.CCR_value() != ccr ? CHANGE_CCR : 0) | (p.X_value() != x ? CHANGE_X : 0) |
               (p.PC_value() != pc ? CHANGE_PC : 0);
    }

    // The cell that the instruction wrote, or -1.
    int32_t cellule(const machine& m) const { return valides(m) ? cellule_ecrite : -1; }

  private:
    bool actif = false;
    uint64_t pas = 0;
    uint8_t a = 0, tmpa = 0, ccr = 0;
    uint16_t x = 0, pc = 0;
    int32_t cellule_ecrite = -1;
};

#endif
