// Small helpers shared by the assembler's tests.
#ifndef QUORVEL_TESTS_ASM_OUTILS_H
#define QUORVEL_TESTS_ASM_OUTILS_H

#include "../commun/capture_console.h"
#include "assembleur.h"

#include <cstdint>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

inline std::vector<diagnostic_asm> erreurs_de(const programme_asm& programme) {
    std::vector<diagnostic_asm> erreurs;
    for (const diagnostic_asm& d : programme.diagnostics)
        if (d.erreur) erreurs.push_back(d);
    return erreurs;
}

inline std::string texte_diagnostics(const programme_asm& programme) {
    std::string texte;
    for (const diagnostic_asm& d : programme.diagnostics)
        texte +=
            std::to_string(d.ligne) + (d.erreur ? ": " : ": (avertissement) ") + d.message + "\n";
    return texte;
}

inline std::string hexa(const std::vector<uint8_t>& octets) {
    std::string texte;
    char tampon[4];
    for (uint8_t o : octets) {
        std::snprintf(tampon, sizeof tampon, "%02X ", o);
        texte += tampon;
    }
    return texte;
}

#endif
