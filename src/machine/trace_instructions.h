// One line per executed instruction, the format a student diffs against the teacher's:
//   "%u %04x %-8s %s A=%02x X=%04x CCR=%s\n"
// the step number from 1, PC before the instruction, its bytes, its text as the disassembly view
// shows it, then A, X and CCR (eight binary digits) after it.
#ifndef QUORVEL_TRACE_INSTRUCTIONS_H
#define QUORVEL_TRACE_INSTRUCTIONS_H

#include "machine.h"

#include <cstddef>
#include <cstdint>

constexpr size_t TAILLE_LIGNE_TRACE = 96;

// The part known before the instruction runs; returns its length.
size_t debut_ligne_trace(const machine& m, uint64_t pas, char* ligne);

// Appends the registers after the instruction and the line end at ligne + longueur; returns the
// whole length.
size_t fin_ligne_trace(const machine& m, char* ligne, size_t longueur);

#endif
