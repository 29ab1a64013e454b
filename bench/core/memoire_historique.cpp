// Peak memory of the history: a session records a million instructions of a loop that stores a
// byte at every turn (the window's case: history on, no edit), then ten million, where the
// 64 MiB limit holds. Prints the instructions kept, the bytes of records and the peak resident
// size of the process. Run by hand:
//   build-a/bench/core/quorvel_memoire_historique
#include "console.h"
#include "machine.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// LOAD $40 / ADDI 1 / STORE $40 / BNE -8 / B -11.
const std::vector<uint8_t> compteur = {0x00, 0x12, 0x00, 0x00, 0x02, 0x00, 0x40, 0x25, 0x01,
                                       0x06, 0x00, 0x40, 0x56, 0xFF, 0xF8, 0x7A, 0xFF, 0xF5};

// VmHWM (peak) or VmRSS (now) from /proc/self/status, in KiB.
long lit_statut(const char* champ) {
    FILE* f = std::fopen("/proc/self/status", "r");
    if (!f) return -1;
    char ligne[256];
    long valeur = -1;
    size_t n = std::strlen(champ);
    while (std::fgets(ligne, sizeof ligne, f))
        if (std::strncmp(ligne, champ, n) == 0) valeur = std::atol(ligne + n + 1);
    std::fclose(f);
    return valeur;
}

void rapporte(const char* moment, const machine& m) {
    std::printf("%-28s %10zu instructions kept, %6.1f MiB of records, RSS %6.1f MiB, peak RSS "
                "%6.1f MiB\n",
                moment, m.histo.taille(), double(m.histo.octets()) / (1 << 20),
                double(lit_statut("VmRSS:")) / 1024, double(lit_statut("VmHWM:")) / 1024);
}

} // namespace

int main() {
    console_vers_rien();
    auto m = std::make_unique<machine>();
    m->charge_octets(compteur);
    rapporte("session loaded, history off", *m);
    m->histo.active(true);
    for (int n = 0; n < 1000000; n++) m->pas();
    rapporte("after 1,000,000 steps", *m);
    for (int n = 0; n < 9000000; n++) m->pas();
    rapporte("after 10,000,000 steps", *m);
    return 0;
}
