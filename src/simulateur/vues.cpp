// The register panel, the disassembly and the memory dump. Each drawing reads the processor and
// the memory afresh; texts are formatted into fixed buffers, and only what changed is redrawn.
#include "affichage.h"
#include "interface2.h"

#include <FL/Fl_Input.H>
#include <FL/Fl_Slider.H>
#include <FL/forms.H>

#include <cstdio>
#include <cstring>

namespace {

constexpr int NBLIGN = 12;
constexpr int DUMP_DERNIERE_PAGE = 65440; // the page whose last byte is at $FFFF
constexpr Fl_Color FOND_PC = 174;         // light orange: the program counter's line
constexpr Fl_Color FOND_LIGNE = FL_WHITE;
constexpr Fl_Color SELECTION_LIGNE = FL_LIGHT1;

// Reads a register's input; false (register left as it was) when it holds no hexadecimal number.
bool lit_hexa(Fl_Widget* saisie, unsigned int& tempon) {
    return std::sscanf(fl_get_input(saisie), "%x", &tempon) == 1;
}

} // namespace

void reg2bin8(unsigned char v, char* buffer) {
    for (int n = 0; n < 8; n++) buffer[n] = (v >> (7 - n) & 1) ? '1' : '0';
    buffer[8] = '\0';
}

void simulateur::sauve_registres() {
    char tampon[81];
    unsigned int a = inter.A_value();
    unsigned int tmpa = inter.tmpA_value();

    std::snprintf(tampon, sizeof tampon, "%2x", a);
    pose_saisie(SIM->REG_A_HEX, tampon);
    reg2bin8(static_cast<unsigned char>(a), tampon);
    pose_label(SIM->REG_A_BIN, tampon);
    std::snprintf(tampon, sizeof tampon, "%d", static_cast<int>(a));
    pose_label(SIM->REG_A_DEC, tampon);

    std::snprintf(tampon, sizeof tampon, "%2x", tmpa);
    pose_saisie(SIM->REG_TMPA_HEX, tampon);
    reg2bin8(static_cast<unsigned char>(tmpa), tampon);
    pose_label(SIM->REG_TMPA_BIN, tampon);
    std::snprintf(tampon, sizeof tampon, "%d", static_cast<int>(tmpa));
    pose_label(SIM->REG_TMPA_DEC, tampon);

    reg2bin8(inter.CCR_value(), tampon);
    pose_label(SIM->REG_CCR_BIN, tampon);

    std::snprintf(tampon, sizeof tampon, "   %4x", static_cast<unsigned int>(inter.X_value()));
    pose_saisie(SIM->REG_X_HEX, tampon);
    std::snprintf(tampon, sizeof tampon, "%5d", static_cast<int>(inter.X_value()));
    pose_label(SIM->REG_X_DEC, tampon);

    std::snprintf(tampon, sizeof tampon, "   %4x", static_cast<unsigned int>(inter.PC_value()));
    pose_saisie(SIM->REG_PC_HEX, tampon);
    std::snprintf(tampon, sizeof tampon, "%5d", static_cast<int>(inter.PC_value()));
    pose_label(SIM->REG_PC_DEC, tampon);
}

void simulateur::charge_registres() {
    unsigned int tempon;
    if (lit_hexa(SIM->REG_A_HEX, tempon)) inter.set_A_value(static_cast<uint8_t>(tempon));
    if (lit_hexa(SIM->REG_X_HEX, tempon)) inter.set_X_value(static_cast<uint16_t>(tempon));
    if (lit_hexa(SIM->REG_PC_HEX, tempon)) inter.set_PC_value(static_cast<uint16_t>(tempon));
}

void simulateur::rafraichit_desassemble() {
    char tmp[81];
    char chaine[81];
    uint16_t pc = inter.PC_value();
    uint16_t adr = adr_debut_desassemblage;

    // The view stays put while PC is on one of its lines; the search follows the instructions
    // by their own lengths and stops after the one at PC.
    int trouve = 0;
    for (int y = 0; y < NBLIGN && !trouve; y++) {
        if (adr == pc) trouve = 1;
        adr = inter.desassemblage_instruction(adr, tmp);
    }
    if (!trouve) adr_debut_desassemblage = pc;

    adr = adr_debut_desassemblage;
    for (int y = 0; y < NBLIGN; y++) {
        bool ligne_pc = adr == pc;
        pose_couleurs(point_desa[y], ligne_pc ? FOND_PC : FOND_LIGNE, SELECTION_LIGNE);
        int n = std::snprintf(chaine, sizeof chaine, "%s%x ", ligne_pc ? "-> " : "   ",
                              static_cast<unsigned int>(adr));
        adr = inter.desassemblage_instruction(adr, tmp);
        std::strncat(chaine, tmp, sizeof chaine - 1 - static_cast<size_t>(n));
        pose_label(point_desa[y], chaine);
    }
}

void simulateur::rafraichit_dump(int dec) {
    int position = static_cast<int>(fl_get_slider_value(SIM->DUMP_SLIDE));
    uint16_t base = static_cast<uint16_t>(position & ~7);
    int debut = base + dec;
    if (debut < 0) debut = 0;
    if (debut > DUMP_DERNIERE_PAGE) debut = DUMP_DERNIERE_PAGE;
    fl_set_slider_value(SIM->DUMP_SLIDE, debut);

    char buffer[29];
    uint16_t adr = static_cast<uint16_t>(debut);
    for (int n = 0; n < NBLIGN; n++) {
        unsigned int octet[8];
        for (int i = 0; i < 8; i++) octet[i] = memoire.read_byte(static_cast<uint16_t>(adr + i));
        std::snprintf(buffer, sizeof buffer, "%4x %2x %2x %2x %2x %2x %2x %2x %2x",
                      static_cast<unsigned int>(adr), octet[0], octet[1], octet[2], octet[3],
                      octet[4], octet[5], octet[6], octet[7]);
        pose_taille_label(point_dump[n], 13);
        pose_label(point_dump[n], buffer);
        adr = static_cast<uint16_t>(adr + 8);
    }
}
