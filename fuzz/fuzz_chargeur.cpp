// Arbitrary bytes as the content of a program file, loaded from memory: the loader must store
// nothing outside memory and leave exactly what the header describes (missing bytes $00, bytes
// past $FFFF dropped); fewer than 4 bytes are refused and change nothing.
#include "console.h"
#include "memoire.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

mem_64k memoire;
// The cells of the last program loaded; every other cell must read $00.
long debut_programme = 0, fin_programme = 0;

void verifie(bool condition) {
    if (!condition) __builtin_trap();
}

// The program's cells, from the header's own rule: its bytes from the base address on, as many
// as it declares, as the input holds and as fit below $10000.
void programme_attendu(const uint8_t* octets, size_t taille_fichier) {
    int taille = static_cast<int16_t>(octets[0] << 8 | octets[1]);
    long base = octets[2] << 8 | octets[3];
    long nombre = 0;
    while (nombre < taille - 4 && base + nombre <= 0xFFFF &&
           4 + static_cast<size_t>(nombre) < taille_fichier)
        ++nombre;
    debut_programme = base;
    fin_programme = base + nombre;
}

// Reads the whole memory on every input: kept out of the sanitizers' and the coverage's
// instrumentation, which would make it the slowest part of a run (the loader is instrumented).
__attribute__((no_sanitize("address", "undefined", "coverage"))) bool
memoire_attendue(const uint8_t* octets) {
    uint16_t ecarts = 0;
    for (long a = 0; a < debut_programme; ++a) ecarts |= memoire.mem[a];
    for (long a = fin_programme; a < 65536; ++a) ecarts |= memoire.mem[a];
    for (long a = debut_programme; a < fin_programme; ++a)
        ecarts |= memoire.mem[a] ^ octets[4 + a - debut_programme];
    return ecarts == 0;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    console_vers_rien();
    memoire.efface(0x00);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* octets, size_t taille) {
    // A refused input leaves the last program, which stays what the comparison expects.
    static std::vector<uint8_t> dernier = {0, 4, 0, 0};
    std::string raison;
    int resultat = memoire.load_octets(octets, taille, raison);
    if (taille < 4) {
        verifie(resultat == 0 && raison == "fichier vide ou trop court");
    } else {
        verifie(resultat == 1 && raison.empty());
        programme_attendu(octets, taille);
        dernier.assign(octets, octets + 4 + (fin_programme - debut_programme));
    }
    verifie(memoire_attendue(dernier.data()));
    return 0;
}
