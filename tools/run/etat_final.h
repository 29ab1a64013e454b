// What quorvel-run prints at the end of a run: why it stopped, the registers, the ports and the
// memory asked for, in French text or as one JSON object.
#ifndef QUORVEL_RUN_ETAT_FINAL_H
#define QUORVEL_RUN_ETAT_FINAL_H

#include "execution.h"
#include "machine.h"

#include <cstdint>
#include <string>
#include <vector>

struct vidage {
    uint16_t adresse;
    uint32_t longueur; // 1 to 65536 bytes, wrapping past $FFFF
};
constexpr uint32_t LONGUEUR_VIDAGE_DEFAUT = 8;

// "arret: boucle en $0013 apres 7 instructions", and the like.
std::string phrase_arret(const resultat_execution& r, uint16_t pc);

// The dump view's lines: "%4x" then eight " %2x", from adresse on; the last line may be shorter.
std::string lignes_vidage(const mem_64k& memoire, const vidage& v);

std::string texte_etat(const machine& m, const resultat_execution& r,
                       const std::vector<vidage>& vidages);

// {"arret": ..., "pas": ..., "PC": ..., "A": ..., "X": ..., "CCR": ..., "tmpA": ...,
//  "ports": {"A": ..., "B": ..., "C": ...}, "memoire": [{"adresse": ..., "octets": [...]}]}
// on one line; the keys are a stable interface.
std::string json_etat(const machine& m, const resultat_execution& r,
                      const std::vector<vidage>& vidages);

#endif
