// Whole instructions from the input's bytes, at the address that its first two bytes give: each
// is disassembled as the disassembly view shows it, the texts are assembled, and the very bytes
// must come back, bit 7 of each instruction byte aside (decoding ignores it, the assembler
// writes 0 there).
#include "assembleur.h"
#include "console.h"
#include "interpreteur.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

mem_64k memoire;
mac_interpreteur machine;

void verifie(bool condition) {
    if (!condition) __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    console_vers_rien();
    machine.learn_mem(&memoire);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* octets, size_t taille) {
    if (taille < 3) return 0;
    uint16_t debut = static_cast<uint16_t>(octets[0] << 8 | octets[1]);
    const uint8_t* code = octets + 2;
    size_t longueur =
        std::min({taille - 2, size_t{0x10000} - debut, static_cast<size_t>(TAILLE_PROGRAMME_MAX)});
    for (size_t i = 0; i < longueur; ++i)
        memoire.write_byte(static_cast<uint16_t>(debut + i), code[i]);

    std::string source = " ORG " + std::to_string(debut) + "\n";
    std::vector<uint8_t> attendu;
    for (size_t i = 0; i < longueur;) {
        char texte[81];
        uint16_t adresse = static_cast<uint16_t>(debut + i);
        size_t taille_instruction =
            static_cast<uint16_t>(machine.desassemblage_instruction(adresse, texte) - adresse);
        if (i + taille_instruction > longueur) break; // cut off: not a whole instruction
        source += std::string(" ") + texte + "\n";
        attendu.push_back(code[i] & 0x7F);
        attendu.insert(attendu.end(), code + i + 1, code + i + taille_instruction);
        i += taille_instruction;
    }
    if (attendu.empty()) return 0;

    programme_asm programme = assemble(source);
    verifie(programme.nb_erreurs == 0);
    verifie(programme.base == debut);
    verifie(programme.octets == attendu);
    return 0;
}
