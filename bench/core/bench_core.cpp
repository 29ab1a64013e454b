// Steps per second of the processor on a fixed loop that prints nothing, of the whole machine
// session (the ports' reactions and the stop test included) as the headless runner drives it,
// and instructions per second of the disassembler with its trace thrown away.
#include "console.h"
#include "execution.h"
#include "interpreteur.h"
#include "machine.h"
#include "memoire.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <iterator>
#include <memory>
#include <streambuf>
#include <vector>

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

// LOADI 1; ADD $2000; STORE $2000; STORE $1004; LOAD $1002; ADD $0010,X; CMPI 0; BEQ +3;
// B -22 (back to 0): a counter in $2000 shown on port C, port B read, never a stop.
const uint8_t boucle_ports[] = {0x01, 0x01, 0x26, 0x20, 0x00, 0x06, 0x20, 0x00, 0x06,
                                0x10, 0x04, 0x02, 0x10, 0x02, 0x27, 0x00, 0x10, 0x2D,
                                0x00, 0x52, 0x00, 0x03, 0x7A, 0xFF, 0xEA};
constexpr uint64_t PAS_PAR_TOUR = 9;
constexpr uint64_t TOURS_PAR_EXECUTION = 1000;

void BM_session(benchmark::State& state) {
    console_vers_rien();
    auto m = std::make_unique<machine>();
    std::vector<uint8_t> fichier(4 + sizeof boucle_ports, 0); // header: size, base address 0
    fichier[1] = static_cast<uint8_t>(fichier.size());
    std::copy(std::begin(boucle_ports), std::end(boucle_ports), fichier.begin() + 4);
    m->charge_octets(fichier);
    m->reagit_entrees(-1, -1);
    const uint64_t budget = PAS_PAR_TOUR * TOURS_PAR_EXECUTION;
    bool budget_tenu = true;
    for (auto _ : state) {
        resultat_execution r = execute(*m, budget);
        budget_tenu = budget_tenu && r.arret == ARRET_BUDGET && r.pas == budget;
    }
    console_vers_erreur_standard();
    // Every run ends on a whole number of turns: back at 0, the counter shown on port C.
    uint8_t tours = static_cast<uint8_t>(state.iterations() * TOURS_PAR_EXECUTION);
    if (!budget_tenu || m->inter.PC_value() != 0 || m->memoire.read_byte(0x2000) != tours ||
        m->memoire.read_byte(0x1004) != tours || m->ports[2].valeur != tours ||
        m->inter.A_value() != 0x10 || m->compteur_pas != state.iterations() * budget)
        state.SkipWithError("the session's final state is wrong");
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * budget));
}
BENCHMARK(BM_session);

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
