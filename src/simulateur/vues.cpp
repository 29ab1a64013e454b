// The register panel, the disassembly and the memory dump. Each drawing reads the processor and
// the memory afresh; texts are formatted into fixed buffers, and only what changed is redrawn.
#include "affichage.h"
#include "chiffres.h"
#include "interface2.h"

#include <FL/Fl_Box.H>
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
// Light pink (red 255, green 182, blue 191): a breakpoint's line, unless PC is on it.
const Fl_Color FOND_POINT = fl_color_cube(4, 5, 3);
constexpr Fl_Color SELECTION_LIGNE = FL_LIGHT1;
// What the last instruction changed: red text for a register, a light cyan line (colour cube:
// red 191, green 255, blue 255) for the written byte.
constexpr Fl_Color TEXTE_CHANGE = FL_RED;
constexpr Fl_Color TEXTE_NORMAL = FL_FOREGROUND_COLOR;
constexpr Fl_Color FOND_ECRIT = 247;

// The panel's fields of each register.
struct champs_registre {
    unsigned bit; // CHANGE_A...
    Fl_Input* SIM_class::*saisie;
    Fl_Box* SIM_class::*boites[2]; // null: none
};

const champs_registre champs[] = {
    {CHANGE_A, &SIM_class::REG_A_HEX, {&SIM_class::REG_A_BIN, &SIM_class::REG_A_DEC}},
    {CHANGE_TMPA, &SIM_class::REG_TMPA_HEX, {&SIM_class::REG_TMPA_BIN, &SIM_class::REG_TMPA_DEC}},
    {CHANGE_CCR, nullptr, {&SIM_class::REG_CCR_BIN, nullptr}},
    {CHANGE_X, &SIM_class::REG_X_HEX, {&SIM_class::REG_X_DEC, nullptr}},
    {CHANGE_PC, &SIM_class::REG_PC_HEX, {&SIM_class::REG_PC_DEC, nullptr}},
};

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

    ecrit_hexa(tampon, a, 2); // "%2x"
    pose_saisie(SIM->REG_A_HEX, tampon);
    reg2bin8(static_cast<unsigned char>(a), tampon);
    pose_label(SIM->REG_A_BIN, tampon);
    ecrit_decimal(tampon, a, 0); // "%d"
    pose_label(SIM->REG_A_DEC, tampon);

    ecrit_hexa(tampon, tmpa, 2);
    pose_saisie(SIM->REG_TMPA_HEX, tampon);
    reg2bin8(static_cast<unsigned char>(tmpa), tampon);
    pose_label(SIM->REG_TMPA_BIN, tampon);
    ecrit_decimal(tampon, tmpa, 0);
    pose_label(SIM->REG_TMPA_DEC, tampon);

    reg2bin8(inter.CCR_value(), tampon);
    pose_label(SIM->REG_CCR_BIN, tampon);

    std::memcpy(tampon, "   ", 3);
    ecrit_hexa(tampon + 3, inter.X_value(), 4); // "   %4x"
    pose_saisie(SIM->REG_X_HEX, tampon);
    ecrit_decimal(tampon, inter.X_value(), 5); // "%5d"
    pose_label(SIM->REG_X_DEC, tampon);

    std::memcpy(tampon, "   ", 3);
    ecrit_hexa(tampon + 3, inter.PC_value(), 4);
    pose_saisie(SIM->REG_PC_HEX, tampon);
    ecrit_decimal(tampon, inter.PC_value(), 5);
    pose_label(SIM->REG_PC_DEC, tampon);
    colore_registres();
}

void simulateur::colore_registres() {
    unsigned changes = changements.registres(session);
    for (const champs_registre& c : champs) {
        Fl_Color couleur = (changes & c.bit) ? TEXTE_CHANGE : TEXTE_NORMAL;
        if (c.saisie) pose_couleur_texte(SIM->*c.saisie, couleur);
        for (Fl_Box* SIM_class::*boite : c.boites)
            if (boite) pose_couleur_label(SIM->*boite, couleur);
    }
}

void simulateur::colore_dump() {
    int32_t ecrite = changements.cellule(session);
    int debut = static_cast<int>(fl_get_slider_value(SIM->DUMP_SLIDE)) & ~7;
    for (int n = 0; n < NBLIGN; n++) {
        int adr = debut + 8 * n;
        bool marquee = ecrite >= adr && ecrite < adr + 8;
        pose_couleurs(point_dump[n], marquee ? FOND_ECRIT : FOND_LIGNE, SELECTION_LIGNE);
    }
}

void simulateur::efface_changements() {
    changements.efface();
    colore_registres();
    colore_dump();
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
        bool point = session.arrets.test(adr);
        adresses_desa[y] = adr;
        Fl_Color fond = ligne_pc ? FOND_PC : point ? FOND_POINT : FOND_LIGNE;
        pose_couleurs(point_desa[y], fond, SELECTION_LIGNE);
        std::memcpy(chaine, ligne_pc ? "-> " : "   ", 3);
        if (point) chaine[0] = '*';
        char* fin = ecrit_hexa(chaine + 3, adr, 0); // "%x "
        *fin++ = ' ';
        adr = inter.desassemblage_instruction(adr, tmp);
        size_t longueur = strnlen(tmp, static_cast<size_t>(chaine + sizeof chaine - 1 - fin));
        std::memcpy(fin, tmp, longueur);
        fin[longueur] = '\0';
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
        // "%4x %2x %2x %2x %2x %2x %2x %2x %2x": 28 characters.
        char* p = ecrit_hexa(buffer, adr, 4);
        for (int i = 0; i < 8; i++) {
            *p++ = ' ';
            p = ecrit_hexa(p, memoire.read_byte(static_cast<uint16_t>(adr + i)), 2);
        }
        pose_taille_label(point_dump[n], 13);
        pose_label(point_dump[n], buffer);
        adr = static_cast<uint16_t>(adr + 8);
    }
    colore_dump();
}
