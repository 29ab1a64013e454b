// The program that the loading tests open, as a source and as a program file, and the machine
// state around a load.
#ifndef QUORVEL_TESTS_PROGRAMME_TEST_H
#define QUORVEL_TESTS_PROGRAMME_TEST_H

#include "interface2.h"

#include <cstdint>
#include <string>

// LOADI 5 / STORE $40 / B fin: 01 05 06 00 40 7a 00 00 from address 0; labels debut and fin, the
// constant c.
extern const char* const PROGRAMME;
// The same bytes as a program file.
extern const std::string FICHIER_PROGRAMME;

// The machine before each load: every cell $7C, PC $10, A $33, a breakpoint and a label.
void prepare_machine(simulateur& sim);
// Still as prepare_machine left it (the ports' registers apart).
bool machine_inchangee(const simulateur& sim);
// The program's bytes from address 0, and PC at 0.
bool programme_en_memoire(const simulateur& sim);

#endif
