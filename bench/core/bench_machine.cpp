// Steps per second of the machine session, as the headless runner drives it: one pas() (the
// instruction and the three ports' reactions) and the execution loop with its stop test.
#include "console.h"
#include "execution.h"
#include "machine.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

// LOADI 1; ADD $2000; STORE $2000; ADD $0010,X; CMPI 0; BEQ +3; B -16 (back to 0).
const std::vector<uint8_t> fichier_boucle = {0x00, 0x17, 0x00, 0x00, 0x01, 0x01, 0x26, 0x20,
                                             0x00, 0x06, 0x20, 0x00, 0x27, 0x00, 0x10, 0x2D,
                                             0x00, 0x52, 0x00, 0x03, 0x7A, 0xFF, 0xF0};

// The session is 128 KiB of memory: keep it off the stack. The ports' per-step trace is silenced,
// as a runner without a trace silences it.
std::unique_ptr<machine> session_boucle() {
    console_vers_rien();
    auto m = std::make_unique<machine>();
    m->charge_octets(fichier_boucle);
    return m;
}

void BM_machine_pas(benchmark::State& state) {
    auto m = session_boucle();
    for (auto _ : state) m->pas();
    benchmark::DoNotOptimize(m->inter.A);
    state.SetItemsProcessed(state.iterations());
    console_vers_erreur_standard();
}
BENCHMARK(BM_machine_pas);

// The window's step records the machine first; the history is trimmed at 64 MiB as it fills.
void BM_machine_pas_historique(benchmark::State& state) {
    auto m = session_boucle();
    m->histo.active(true);
    for (auto _ : state) m->pas();
    benchmark::DoNotOptimize(m->inter.A);
    state.SetItemsProcessed(state.iterations());
    state.counters["gardes"] = double(m->histo.taille());
    console_vers_erreur_standard();
}
BENCHMARK(BM_machine_pas_historique);

// The runner's loop: a million steps per call of execute, no stop address on the way.
void BM_execute(benchmark::State& state) {
    auto m = session_boucle();
    constexpr uint64_t budget = 1000000;
    for (auto _ : state) {
        resultat_execution r = execute(*m, budget);
        if (r.arret != ARRET_BUDGET) state.SkipWithError("stopped before the budget");
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * budget));
    console_vers_erreur_standard();
}
BENCHMARK(BM_execute)->Unit(benchmark::kMillisecond);

} // namespace
