// Steps per second of the processor on a fixed loop that prints nothing, and instructions per
// second of the disassembler with its trace thrown away.
#include "interpreteur.h"
#include "memoire.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>
#include <memory>
#include <streambuf>

namespace {

// LOADI 1; ADD $2000; STORE $2000; ADD $0010,X; CMPI 0; BEQ +3; B -16 (back to 0).
const uint8_t boucle[] = {0x01, 0x01, 0x26, 0x20, 0x00, 0x06, 0x20, 0x00, 0x27, 0x00,
                          0x10, 0x2D, 0x00, 0x52, 0x00, 0x03, 0x7A, 0xFF, 0xF0};

struct machine_banc {
    std::unique_ptr<mem_64k> memoire = std::make_unique<mem_64k>();
    mac_interpreteur inter;

    machine_banc() {
        for (uint16_t a = 0; a < sizeof boucle; ++a) memoire->write_byte(a, boucle[a]);
        inter.learn_mem(memoire.get());
        inter.init_registers();
    }
};

// Swallows the trace without a system call per line.
class flux_nul : public std::streambuf {
  protected:
    int overflow(int c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

void BM_step(benchmark::State& state) {
    machine_banc m;
    for (auto _ : state) m.inter.step();
    benchmark::DoNotOptimize(m.inter.A);
    // The loop must stay inside its 19 bytes; anything else would measure another program.
    if (m.inter.PC_value() >= sizeof boucle) state.SkipWithError("the loop left its bytes");
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_step);

void BM_desassemblage_instruction(benchmark::State& state) {
    machine_banc m;
    flux_nul nul;
    std::streambuf* ancien = std::cerr.rdbuf(&nul);
    char texte[81];
    uint16_t adresse = 0;
    for (auto _ : state) {
        adresse = m.inter.desassemblage_instruction(adresse, texte);
        if (adresse >= sizeof boucle) adresse = 0;
        benchmark::DoNotOptimize(texte);
    }
    std::cerr.rdbuf(ancien);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_desassemblage_instruction);

} // namespace
