#include "trace_instructions.h"

#include "stringpp.h"

#include <cstdio>

size_t debut_ligne_trace(const machine& m, uint64_t pas, char* ligne) {
    uint16_t pc = m.inter.PC_value();
    int longueur = static_cast<uint16_t>(m.inter.adresse_suivante(pc) - pc);
    char octets[12];
    int n = 0;
    for (int i = 0; i < longueur; i++)
        n += std::snprintf(octets + n, sizeof octets - static_cast<size_t>(n), i ? " %02x" : "%02x",
                           m.memoire.read_byte(static_cast<uint16_t>(pc + i)));
    char texte[81];
    m.inter.desassemblage_instruction(pc, texte);
    int ecrits = std::snprintf(ligne, TAILLE_LIGNE_TRACE, "%llu %04x %-8s %s",
                               static_cast<unsigned long long>(pas), pc, octets, texte);
    return static_cast<size_t>(ecrits);
}

size_t fin_ligne_trace(const machine& m, char* ligne, size_t longueur) {
    int ecrits =
        std::snprintf(ligne + longueur, TAILLE_LIGNE_TRACE - longueur, " A=%02x X=%04x CCR=%s\n",
                      m.inter.A_value(), m.inter.X_value(), bin8toS(m.inter.CCR_value()).c_str());
    return longueur + static_cast<size_t>(ecrits);
}
