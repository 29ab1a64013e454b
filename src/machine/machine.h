// The machine session: the memory store, the processor and the three configured ports, and what
// a host (the window or the headless runner) does to them. A rule that both hosts need (how a
// step meets the ports, what a load does) is decided here, once.
#ifndef QUORVEL_MACHINE_H
#define QUORVEL_MACHINE_H

#include "historique.h"
#include "interpreteur.h"
#include "memoire.h"
#include "port.h"

#include <bitset>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

constexpr int NB_PORTS = 3;
static_assert(NB_PORTS == historique::NB_PORTS_NOTES, "the history notes every port");

// The configured ports, in the order of their reactions: A, B, C.
struct config_port {
    char lettre;
    const char* nom;
    uint16_t adresse;
    uint8_t masque_forc_sortie;
    uint8_t masque_forc_entree;
};
extern const config_port configuration_ports[NB_PORTS];

// Index in configuration_ports of the port named by its letter ('A' to 'C', either case); -1.
int port_par_lettre(char lettre);

class machine {
  public:
    mem_64k memoire;
    mac_interpreteur inter;
    port_machine ports[NB_PORTS];
    // Addresses at which an execution stops after a step: the window's breakpoints, the
    // runner's --jusqua.
    std::bitset<65536> arrets;
    // Instructions executed since the program was loaded: the step number of the trace.
    uint64_t compteur_pas = 0;
    // The labels of the loaded source, by name; empty after loading a program file.
    std::unordered_map<std::string, uint16_t> etiquettes;
    // The way back, off unless a host turns it on (histo.active): a run without it pays one test
    // per instruction.
    historique histo;

    // Start-up state: every cell $FF, registers 0, the ports configured (their cells $FF again).
    machine();
    machine(const machine&) = delete;
    machine& operator=(const machine&) = delete;

    // Loads a program file and starts it at 0; 0 (machine unchanged, raison says why) on
    // failure. The step count, the labels and the history start anew.
    int charge_fichier(const std::string& chemin, std::string& raison);
    // The same from the bytes of a program file (header included).
    int charge_octets(const std::vector<uint8_t>& fichier, std::string& raison);
    // For a caller that needs no reason beyond the console's.
    int charge_fichier(const std::string& chemin) {
        std::string raison;
        return charge_fichier(chemin, raison);
    }
    int charge_octets(const std::vector<uint8_t>& fichier) {
        std::string raison;
        return charge_octets(fichier, raison);
    }

    // One instruction, then react_out on A, B and C, then react_in on A, B and C with no
    // button: a step exactly as a running pass of the window makes it. The hot path of a headless
    // run: always inlined into its loop.
    __attribute__((always_inline)) void pas() {
        execute_instruction();
        reagit_sorties();
        // Without a button, a link or a console line to write, each port's react_in would only
        // write back the value that its react_out has just written (the value registers are
        // distinct cells): the silent headless run skips it.
        if (console_active() || liens_actifs()) reagit_entrees(-1, -1);
    }
    // The three parts of a step, for a host that draws between them.
    void execute_instruction() {
        if (histo.actif()) note_historique();
        inter.step();
        compteur_pas++;
    }
    void reagit_sorties() {
        for (port_machine& port : ports) port.react_out();
    }
    // port, bit: the input button pressed in this pass, or -1. 1 when any port reports a change.
    int reagit_entrees(int port, int bit) {
        int modif = 0;
        for (int p = 0; p < NB_PORTS; p++) modif |= ports[p].react_in(p == port ? bit : -1);
        return modif;
    }

    bool liens_actifs() const {
        for (const port_machine& port : ports)
            if (port.ppartage_mem) return true;
        return false;
    }

    // nombre cells from adresse on receive valeur, wrapping past $FFFF; nothing for nombre <= 0.
    void remplit(uint16_t adresse, uint8_t valeur, int32_t nombre);
    // The machine's reset moves PC only.
    void reset() { inter.init_registers(); }

    // The machine becomes what it was just before the last recorded instruction, edits made
    // since included, and the step count goes back by one. 0 when there is nothing to undo.
    int retour_arriere();

  private:
    void demarre_programme();
    // Cold and out of line, so that a step without history stays small enough to be inlined.
    __attribute__((noinline, cold)) void note_historique();
};

#endif
