#include "programme_test.h"

const char* const PROGRAMME = "c       EQU 7\n"
                              "debut:  LOADI 5\n"
                              "        STORE $40\n"
                              "fin:    B fin\n";

const std::string FICHIER_PROGRAMME("\x00\x0c\x00\x00\x01\x05\x06\x00\x40\x7a\x00\x00", 12);

namespace {

const uint8_t OCTETS_PROGRAMME[] = {0x01, 0x05, 0x06, 0x00, 0x40, 0x7a, 0x00, 0x00};

} // namespace

void prepare_machine(simulateur& sim) {
    sim.memoire.efface(0x7C);
    sim.inter.set_PC_value(0x10);
    sim.inter.set_A_value(0x33);
    sim.sauve_registres();
    sim.session.arrets.set(0x10);
    sim.session.etiquettes["ancienne"] = 1;
}

// The ports' registers ($1000 to $1005) are the ports' own: any pass rewrites their input bits.
bool machine_inchangee(const simulateur& sim) {
    for (int a = 0; a < 0x10000; a++)
        if ((a < 0x1000 || a > 0x1005) &&
            sim.session.memoire.read_byte(static_cast<uint16_t>(a)) != 0x7C)
            return false;
    return sim.session.inter.PC_value() == 0x10 && sim.session.inter.A_value() == 0x33 &&
           sim.session.arrets.count() == 1 && sim.session.etiquettes.size() == 1;
}

bool programme_en_memoire(const simulateur& sim) {
    for (size_t i = 0; i < sizeof OCTETS_PROGRAMME; i++)
        if (sim.session.memoire.read_byte(static_cast<uint16_t>(i)) != OCTETS_PROGRAMME[i])
            return false;
    return sim.session.inter.PC_value() == 0;
}
