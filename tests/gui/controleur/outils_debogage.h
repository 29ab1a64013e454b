// What the debugging tests share: a counter program loaded as the window loads one, the session
// copied whole to compare it after a step back, and a modal dialog answered from inside its wait.
#ifndef QUORVEL_TESTS_OUTILS_DEBOGAGE_H
#define QUORVEL_TESTS_OUTILS_DEBOGAGE_H

#include "outils.h"

#include <cstdint>
#include <string>
#include <vector>

// LOAD $40 / ADDI 1 / STORE $40 / BNE -8 / B -11 at address 0, as a program file. Its lines in
// the view: 0 LOAD 64, 3 ADDI 1, 5 STORE 64, 8 BNE -8, b B -11.
extern const std::vector<uint8_t> COMPTEUR;

// Loads a program file's bytes and redraws the views, as the File menu's load does; its console
// lines are kept out of the test's trace.
void charge(simulateur& sim, const std::vector<uint8_t>& fichier);

// Every part of the session that a step back must put back.
struct etat_session {
    std::vector<uint16_t> memoire;
    uint16_t PC, X;
    uint8_t A, tmpA, CCR;
    uint8_t valeur[3], direction[3];
    uint64_t compteur_pas;

    explicit etat_session(const machine& m);
};

// The first difference, in words; empty when there is none.
std::string ecart(const etat_session& a, const etat_session& b);

// The panel, the dump and the ports against the session: empty when they show it.
std::string ecart_vues(simulateur& sim);

// What a person sees in the next modal dialog, and the answer given to it: with reponse set, it
// is typed into the dialog's input and confirmed; otherwise the dialog is closed.
struct dialogue {
    bool vu = false;
    std::string textes; // every label in it, one per line
    const char* reponse = nullptr;
    dialogue* ensuite = nullptr; // the dialog expected after this one, if any
};

// Answers the next modal dialog from inside the toolkit's wait.
void repondra(dialogue& d);

#endif
