// Arbitrary bytes as a program file: the loader must accept every file that opens, store nothing
// outside memory, and leave exactly what the header describes (missing bytes $00, bytes past $FFFF
// dropped, a file shorter than its header loading nothing).
#include "flux_nul.h"
#include "memoire.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

mem_64k memoire;
uint8_t attendu[65536];
std::string chemin;

void efface_fichier() {
    std::remove(chemin.c_str());
}

void modele(const uint8_t* octets, size_t taille_fichier) {
    for (uint8_t& cellule : attendu) cellule = 0;
    if (taille_fichier < 4) return;
    int taille = static_cast<int16_t>(octets[0] << 8 | octets[1]);
    long base = octets[2] << 8 | octets[3];
    for (long i = 0; i < taille - 4; ++i) {
        if (base + i > 0xFFFF || 4 + static_cast<size_t>(i) >= taille_fichier) break;
        attendu[base + i] = octets[4 + i];
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    console_muette();
    chemin = "/tmp/quorvel-fuzz-chargeur-" + std::to_string(getpid()) + ".bin";
    std::atexit(efface_fichier);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* octets, size_t taille) {
    FILE* fichier = std::fopen(chemin.c_str(), "wb");
    if (fichier == nullptr) std::abort();
    if (taille > 0 && std::fwrite(octets, 1, taille, fichier) != taille) std::abort();
    std::fclose(fichier);

    if (memoire.load_binaire(chemin) != 1) __builtin_trap();
    modele(octets, taille);
    for (uint32_t a = 0; a < 65536; ++a)
        if (memoire.mem[a] != attendu[a]) __builtin_trap();
    return 0;
}
