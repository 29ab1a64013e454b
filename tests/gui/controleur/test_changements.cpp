// What the last instruction changed: the register fields drawn in red, and the dump line of the
// byte that it wrote highlighted, until the next instruction, a reset or a load.
// First: the toolkit's headers bring X11 macros (None, Bool) that clash with GoogleTest's names.
#include <gtest/gtest.h>

#include "outils.h"

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Slider.H>

#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// clang-format off
const std::vector<uint8_t> programme = {
    0x01, 0x05,       // 0: LOADI 5      A and PC change
    0x06, 0x10, 0x10, // 2: STORE $1010  writes $1010, only PC changes
    0x08,             // 5: TAXL         X and PC
    0x05, 0x77,       // 6: STOREI $77   a refused mode: writes nothing
    0x01, 0x00,       // 8: LOADI 0      A, CCR (Z) and PC
    0x07, 0x00, 0x10, // a: STORE $10,X  writes $10 + X = $15
};
// clang-format on

enum geste { PAS, RESET, CHARGE, REMPLIT, DUMP_1000, DUMP_BAS, DESA_BAS };

struct cas_changement {
    const char* nom;
    std::vector<geste> gestes;
    unsigned registres; // CHANGE_ bits drawn in red
    int ligne_dump;     // the highlighted dump line, -1 for none
};

const unsigned A = CHANGE_A, CCR = CHANGE_CCR, X = CHANGE_X, PC = CHANGE_PC;

// clang-format off
const cas_changement cas[] = {
    {"au depart: rien",                              {},                                0,            -1},
    {"LOADI 5: A et PC",                             {PAS},                             A | PC,       -1},
    {"STORE: PC et la ligne de la case ecrite",      {DUMP_1000, PAS, PAS},             PC,            2},
    {"case ecrite hors de la vue: aucune ligne",     {PAS, PAS},                        PC,           -1},
    {"la ligne suit la case quand le dump defile",   {PAS, PAS, DUMP_1000},             PC,            2},
    {"et quand il avance d'une ligne",               {DUMP_1000, PAS, PAS, DUMP_BAS},   PC,            1},
    {"l'instruction suivante efface la ligne",       {DUMP_1000, PAS, PAS, PAS},        X | PC,       -1},
    {"un STORE refuse n'ecrit rien",                 {DUMP_1000, PAS, PAS, PAS, PAS},   PC,           -1},
    {"LOADI 0: A, CCR et PC",                        {PAS, PAS, PAS, PAS, PAS},         A | CCR | PC, -1},
    {"STORE indexe: la case de X",                   {PAS, PAS, PAS, PAS, PAS, PAS},    PC,            2},
    {"reset efface tout",                            {DUMP_1000, PAS, PAS, RESET},      0,            -1},
    {"chargement efface tout",                       {DUMP_1000, PAS, PAS, CHARGE},     0,            -1},
    {"apres un chargement, les pas marquent encore", {DUMP_1000, PAS, PAS, CHARGE, PAS, PAS}, PC,      2},
    {"un remplissage ne l'efface pas",               {DUMP_1000, PAS, PAS, REMPLIT},    PC,            2},
    {"la vue de desassemblage ne l'efface pas",      {DUMP_1000, PAS, PAS, DESA_BAS},   PC,            2},
};
// clang-format on

// The program as a program file: the 4-byte header, then the bytes at address 0.
std::string ecrit_fichier_programme() {
    char nom[] = "/tmp/quorvel_changements_XXXXXX";
    int fd = mkstemp(nom);
    if (fd < 0) return "";
    std::vector<uint8_t> octets = {0, static_cast<uint8_t>(programme.size() + 4), 0, 0};
    octets.insert(octets.end(), programme.begin(), programme.end());
    bool ecrit = write(fd, octets.data(), octets.size()) == static_cast<ssize_t>(octets.size());
    close(fd);
    return ecrit ? nom : "";
}

void fait(simulateur& sim, geste g, const std::string& fichier) {
    switch (g) {
    case PAS: passe_avec(sim, sim.SIM->B_STEP); break;
    case RESET: passe_avec(sim, sim.SIM->B_RESET); break;
    case CHARGE: sim.charge_programme(fichier.c_str()); break;
    case REMPLIT: remplit(sim, "$1010", "$AA", "1"); break;
    case DUMP_1000:
        sim.SIM->DUMP_SLIDE->value(0x1000);
        passe_avec(sim, sim.SIM->DUMP_SLIDE);
        break;
    case DUMP_BAS: passe_avec(sim, sim.SIM->DUMP_D); break;
    case DESA_BAS: passe_avec(sim, sim.SIM->DESA_D); break;
    }
}

struct champs {
    const char* nom;
    unsigned bit;
    std::vector<Fl_Input*> saisies;
    std::vector<Fl_Widget*> boites;
};

std::vector<champs> champs_du_panneau(SIM_class& s) {
    return {
        {"A", CHANGE_A, {s.REG_A_HEX}, {s.REG_A_BIN, s.REG_A_DEC}},
        {"tmpA", CHANGE_TMPA, {s.REG_TMPA_HEX}, {s.REG_TMPA_BIN, s.REG_TMPA_DEC}},
        {"CCR", CHANGE_CCR, {}, {s.REG_CCR_BIN}},
        {"X", CHANGE_X, {s.REG_X_HEX}, {s.REG_X_DEC}},
        {"PC", CHANGE_PC, {s.REG_PC_HEX}, {s.REG_PC_DEC}},
    };
}

TEST(Changements, RegistresEtCaseEcrite) {
    std::string fichier = ecrit_fichier_programme();
    ASSERT_FALSE(fichier.empty());
    for (const cas_changement& c : cas) {
        SCOPED_TRACE(c.nom);
        auto sim = nouveau_simulateur();
        for (uint16_t i = 0; i < programme.size(); i++) sim->memoire.write_byte(i, programme[i]);
        capture_erreur silence;
        for (geste g : c.gestes) fait(*sim, g, fichier);
        silence.fin();
        for (const champs& ch : champs_du_panneau(*sim->SIM)) {
            Fl_Color attendue = (c.registres & ch.bit) ? FL_RED : FL_FOREGROUND_COLOR;
            for (Fl_Input* s : ch.saisies) EXPECT_EQ(s->textcolor(), attendue) << ch.nom;
            for (Fl_Widget* b : ch.boites) EXPECT_EQ(b->labelcolor(), attendue) << ch.nom;
        }
        for (int n = 0; n < 12; n++) {
            EXPECT_EQ(sim->point_dump[n]->color(), n == c.ligne_dump ? 247u : FL_WHITE)
                << "dump line " << n << ": " << sim->point_dump[n]->label();
            EXPECT_EQ(sim->point_dump[n]->selection_color(), FL_LIGHT1);
        }
    }
    unlink(fichier.c_str());
}

// Run mode marks what each pass's instruction changed, and only that.
TEST(Changements, EnModeContinu) {
    auto sim = nouveau_simulateur();
    for (uint16_t i = 0; i < programme.size(); i++) sim->memoire.write_byte(i, programme[i]);
    capture_erreur silence;
    fait(*sim, DUMP_1000, "");
    passe_avec(*sim, sim->SIM->B_PLAY); // run mode starts after the pass's step
    passe_avec(*sim, nullptr);          // LOADI 5
    passe_avec(*sim, nullptr);          // STORE $1010
    EXPECT_EQ(sim->point_dump[2]->color(), 247u);
    EXPECT_EQ(sim->SIM->REG_A_HEX->textcolor(), FL_FOREGROUND_COLOR);
    passe_avec(*sim, nullptr); // TAXL
    silence.fin();
    EXPECT_EQ(sim->point_dump[2]->color(), FL_WHITE);
    EXPECT_EQ(sim->SIM->REG_X_HEX->textcolor(), FL_RED);
    EXPECT_EQ(sim->SIM->REG_PC_DEC->labelcolor(), FL_RED);
}

} // namespace
