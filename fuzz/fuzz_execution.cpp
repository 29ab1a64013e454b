// Memory and registers from the input, then up to 10,000 steps, disassembling every visited
// address. Besides the sanitizers' checks, each step must keep the machine's invariants: PC moves
// as the instruction's kind says, no instruction writes V, bits 7-4 of CCR or tmpA, only the shifts
// write C, and every text fits the 15-byte buffer.
#include "console.h"
#include "interpreteur.h"

#include <cstdint>
#include <cstring>

namespace {

mem_64k memoire;

enum genre { OPERANDE, REGISTRE, BRANCHE };

genre genre_de(int n) {
    if (n >= 20 && n <= 30) return BRANCHE;
    if ((n >= 2 && n <= 7) || n == 12 || (n >= 16 && n <= 19) || n == 31) return REGISTRE;
    return OPERANDE;
}

void verifie(bool condition) {
    if (!condition) __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    console_vers_rien();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* octets, size_t taille) {
    if (taille < 6) return 0;
    mac_interpreteur inter;
    inter.learn_mem(&memoire);
    inter.set_PC_value(static_cast<uint16_t>(octets[0] << 8 | octets[1]));
    inter.set_A_value(octets[2]);
    inter.set_X_value(static_cast<uint16_t>(octets[3] << 8 | octets[4]));
    inter.CCR = octets[5];
    // The rest of the input, repeated over the whole memory; none leaves the fresh $FF.
    const uint8_t* image = octets + 6;
    size_t longueur = taille - 6;
    for (uint32_t a = 0; a < 65536; ++a)
        memoire.write_byte(static_cast<uint16_t>(a), longueur ? image[a % longueur] : 0xFF);

    uint8_t tmpA = inter.tmpA_value();
    for (int pas = 0; pas < 10000; ++pas) {
        uint16_t a = inter.PC_value();
        char texte[15];
        uint16_t suivante = inter.desassemblage_instruction(a, texte);
        verifie(std::strlen(texte) <= 14);
        verifie(suivante == inter.adresse_suivante(a));

        int n = inter.decodage_instruction(a);
        uint8_t ccr = inter.CCR_value();
        uint16_t saut = static_cast<uint16_t>(a + memoire.read_word(static_cast<uint16_t>(a + 1)));
        inter.step();
        uint16_t pc = inter.PC_value();
        switch (genre_de(n)) {
        case OPERANDE: verifie(pc == suivante); break;
        case REGISTRE: verifie(pc == static_cast<uint16_t>(a + 1)); break;
        case BRANCHE: verifie(pc == static_cast<uint16_t>(a + 3) || pc == saut); break;
        }
        uint8_t fixes = (n >= 17 && n <= 19) ? 0xF2 : 0xF3;
        verifie((inter.CCR_value() & fixes) == (ccr & fixes));
        verifie(inter.tmpA_value() == tmpA);
        verifie(memoire.mem[a] <= 0xFF);
        if (genre_de(n) == BRANCHE && pc == a) break; // B 0 and the like: nothing changes any more
    }
    return 0;
}
