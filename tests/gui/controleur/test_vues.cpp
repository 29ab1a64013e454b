// The register panel, the disassembly view, the memory dump and the memory fill.
// First: the toolkit's headers bring X11 macros (None, Bool) that clash with GoogleTest's names.
#include <gtest/gtest.h>

#include "outils.h"

#include "chiffres.h"

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Slider.H>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct reg2bin8_cas {
    unsigned char valeur;
    const char* texte;
};

TEST(Registres, Reg2bin8) {
    const reg2bin8_cas cas[] = {
        {0x00, "00000000"}, {0x80, "10000000"}, {0xFF, "11111111"},
        {0x05, "00000101"}, {0x01, "00000001"}, {0xA5, "10100101"},
    };
    for (const reg2bin8_cas& c : cas) {
        char tampon[16];
        std::memset(tampon, 'x', sizeof tampon);
        reg2bin8(c.valeur, tampon);
        EXPECT_STREQ(tampon, c.texte) << int(c.valeur);
    }
}

// The views write their numbers without printf, and must write exactly what printf writes.
TEST(Registres, ChiffresCommePrintf) {
    const unsigned int valeurs[] = {0,      5,      0xa,   0x10,   0xff,       0x100,
                                    0x1234, 0xffff, 65440, 123456, 2147483647u};
    const int largeurs[] = {0, 1, 2, 4, 5, 7};
    for (unsigned int v : valeurs) {
        for (int largeur : largeurs) {
            char attendu[32], texte[32];
            std::snprintf(attendu, sizeof attendu, "%*x", largeur, v);
            char* fin = ecrit_hexa(texte, v, largeur);
            EXPECT_STREQ(texte, attendu) << v << " en hexadecimal sur " << largeur;
            EXPECT_EQ(fin, texte + std::strlen(attendu));
            std::snprintf(attendu, sizeof attendu, "%*d", largeur, static_cast<int>(v));
            ecrit_decimal(texte, v, largeur);
            EXPECT_STREQ(texte, attendu) << v << " en decimal sur " << largeur;
        }
    }
}

struct panneau {
    const char* nom;
    uint8_t A, tmpA, CCR;
    uint16_t X, PC;
    const char *a_hex, *a_bin, *a_dec, *tmpa_hex, *tmpa_bin, *tmpa_dec, *ccr_bin, *x_hex, *x_dec,
        *pc_hex, *pc_dec;
};

// clang-format off
const panneau panneaux[] = {
    {"A = 5, X = $1234, PC = 0", 5, 0, 0, 0x1234, 0,
     " 5", "00000101", "5", " 0", "00000000", "0", "00000000", "   1234", " 4660", "      0", "    0"},
    {"A = 200, tmpA = $80, CCR = NZVC", 200, 0x80, 0x0F, 0xFFFF, 0xFFFF,
     "c8", "11001000", "200", "80", "10000000", "128", "00001111", "   ffff", "65535", "   ffff", "65535"},
    {"CCR = N et C, X = $a, PC = $10", 0xFF, 0x0F, 0x09, 0xA, 0x10,
     "ff", "11111111", "255", " f", "00001111", "15", "00001001", "      a", "   10", "     10", "   16"},
};
// clang-format on

TEST(Registres, TextesDuPanneau) {
    auto sim = nouveau_simulateur();
    for (const panneau& p : panneaux) {
        SCOPED_TRACE(p.nom);
        sim->inter.A = p.A;
        sim->inter.tmpA = p.tmpA;
        sim->inter.CCR = p.CCR;
        sim->inter.X = p.X;
        sim->inter.PC = p.PC;
        sim->sauve_registres();
        const SIM_class& f = *sim->SIM;
        EXPECT_STREQ(f.REG_A_HEX->value(), p.a_hex);
        EXPECT_STREQ(f.REG_A_BIN->label(), p.a_bin);
        EXPECT_STREQ(f.REG_A_DEC->label(), p.a_dec);
        EXPECT_STREQ(f.REG_TMPA_HEX->value(), p.tmpa_hex);
        EXPECT_STREQ(f.REG_TMPA_BIN->label(), p.tmpa_bin);
        EXPECT_STREQ(f.REG_TMPA_DEC->label(), p.tmpa_dec);
        EXPECT_STREQ(f.REG_CCR_BIN->label(), p.ccr_bin);
        EXPECT_STREQ(f.REG_X_HEX->value(), p.x_hex);
        EXPECT_STREQ(f.REG_X_DEC->label(), p.x_dec);
        EXPECT_STREQ(f.REG_PC_HEX->value(), p.pc_hex);
        EXPECT_STREQ(f.REG_PC_DEC->label(), p.pc_dec);
    }
}

enum registre { REG_A, REG_X, REG_PC, REG_TMPA };

struct relecture {
    const char* nom;
    registre reg;
    const char* texte;
    unsigned int attendu;
};

// Each register starts at a value of its own ($5A, $BEEF, $C0DE, tmpA $11); an input that holds
// no hexadecimal number leaves it there.
// clang-format off
const relecture relectures[] = {
    {"A: 1ff garde les 8 bits bas",      REG_A,    "1ff",     0xFF},
    {"A: majuscules",                    REG_A,    "AB",      0xAB},
    {"A: vide",                          REG_A,    "",        0x5A},
    {"A: pas un nombre",                 REG_A,    "zz",      0x5A},
    {"A: blancs seuls",                  REG_A,    "   ",     0x5A},
    {"X: texte du panneau",              REG_X,    "   1234", 0x1234},
    {"X: 16 bits bas",                   REG_X,    "12345",   0x2345},
    {"X: lu jusqu'au premier non-chiffre", REG_X,  " 1g",     0x1},
    {"X: vide",                          REG_X,    "",        0xBEEF},
    {"PC: blancs puis 12",               REG_PC,   "   12",   0x12},
    {"PC: pas un nombre",                REG_PC,   "g1",      0xC0DE},
    {"tmpA n'est jamais relu",           REG_TMPA, "77",      0x11},
};
// clang-format on

TEST(Registres, Relecture) {
    auto sim = nouveau_simulateur();
    for (const relecture& r : relectures) {
        SCOPED_TRACE(r.nom);
        sim->inter.A = 0x5A;
        sim->inter.X = 0xBEEF;
        sim->inter.PC = 0xC0DE;
        sim->inter.tmpA = 0x11;
        sim->sauve_registres();
        Fl_Input* saisies[] = {sim->SIM->REG_A_HEX, sim->SIM->REG_X_HEX, sim->SIM->REG_PC_HEX,
                               sim->SIM->REG_TMPA_HEX};
        saisies[r.reg]->value(r.texte);
        sim->charge_registres();
        unsigned int valeurs[] = {sim->inter.A_value(), sim->inter.X_value(), sim->inter.PC_value(),
                                  sim->inter.tmpA_value()};
        EXPECT_EQ(valeurs[r.reg], r.attendu);
        for (int autre = REG_A; autre <= REG_TMPA; autre++) {
            if (autre == r.reg) continue;
            unsigned int initial[] = {0x5A, 0xBEEF, 0xC0DE, 0x11};
            EXPECT_EQ(valeurs[autre], initial[autre]) << "register " << autre;
        }
    }
}

enum geste_desa { DESSINE, DESA_BAS, DESA_VERS_PC, DESA_HAUT };

struct vue_desa {
    const char* nom;
    uint16_t debut, pc;
    geste_desa geste;
    uint16_t debut_apres;
    int ligne_pc;       // the line marked "-> ", from 0
    int traces;         // disassembler trace lines written by the drawing
    const char* ligne0; // the first line's text
};

// Memory holds $7C (NOP, one byte): line y shows address debut + y.
// clang-format off
const vue_desa vues_desa[] = {
    {"PC sur la 4e ligne: la vue reste",          0,      3,  DESSINE,      0,      3,  4 + 12,  "   0 NOP"},
    {"PC sur la 12e ligne: la vue reste",         0,      11, DESSINE,      0,      11, 12 + 12, "   0 NOP"},
    {"PC juste apres la vue: elle part a PC",     0,      12, DESSINE,      12,     0,  12 + 12, "-> c NOP"},
    {"PC loin: la vue part a PC",                 0,      0x1234, DESSINE,  0x1234, 0,  12 + 12, "-> 1234 NOP"},
    {"la vue passe de $FFFF a $0000",             0xFFFA, 2,  DESSINE,      0xFFFA, 8,  9 + 12,  "   fffa NOP"},
    {"DESA_D avance d'une instruction",           0,      5,  DESA_BAS,     1,      4,  5 + 12,  "   1 NOP"},
    {"DESA_D avec PC en 1re ligne: vue ramenee",  5,      5,  DESA_BAS,     5,      0,  12 + 12, "-> 5 NOP"},
    {"DESA_PC met PC en 1re ligne",               0,      5,  DESA_VERS_PC, 5,      0,  1 + 12,  "-> 5 NOP"},
    {"DESA_U ne bouge pas la vue",                0,      5,  DESA_HAUT,    0,      5,  0,       "   0 NOP"},
};
// clang-format on

TEST(Desassemblage, SuitPC) {
    for (const vue_desa& v : vues_desa) {
        SCOPED_TRACE(v.nom);
        auto sim = nouveau_simulateur();
        sim->memoire.efface(0x7C);
        sim->inter.set_PC_value(v.pc);
        sim->sauve_registres(); // the pass reads PC back from the panel
        sim->adr_debut_desassemblage = v.debut;
        if (v.geste != DESSINE) {
            capture_erreur silence;
            sim->rafraichit_desassemble(); // the view as the button finds it
        }
        capture_erreur trace;
        Fl_Widget* boutons[] = {nullptr, sim->SIM->DESA_D, sim->SIM->DESA_PC, sim->SIM->DESA_U};
        if (v.geste == DESSINE)
            sim->rafraichit_desassemble();
        else
            passe_avec(*sim, boutons[v.geste]);
        std::vector<std::string> l = lignes(trace.fin());
        EXPECT_EQ(sim->adr_debut_desassemblage, v.debut_apres);
        EXPECT_EQ(compte(l, "31 NOP"), v.traces);
        EXPECT_EQ(compte(l, "a refaire"), v.geste == DESA_HAUT ? 1 : 0);
        EXPECT_STREQ(sim->point_desa[0]->label(), v.ligne0);
        for (int y = 0; y < 12; y++) {
            bool pc = y == v.ligne_pc;
            char attendu[32];
            std::snprintf(attendu, sizeof attendu, "%s%x NOP", pc ? "-> " : "   ",
                          static_cast<unsigned int>(static_cast<uint16_t>(v.debut_apres + y)));
            EXPECT_STREQ(sim->point_desa[y]->label(), attendu) << "line " << y;
            EXPECT_EQ(sim->point_desa[y]->color(), pc ? 174u : 255u) << "line " << y;
            EXPECT_EQ(sim->point_desa[y]->selection_color(), 50u) << "line " << y;
        }
    }
}

// The lines take each instruction's own length, and its text from the disassembler.
TEST(Desassemblage, LongueursEtTextes) {
    auto sim = nouveau_simulateur();
    const uint8_t programme[] = {0x01, 0x05, 0x02, 0x10, 0x00, 0x07, 0xFF, 0xF0, 0x56, 0xFF, 0xF8};
    for (uint16_t i = 0; i < sizeof programme; i++) sim->memoire.write_byte(i, programme[i]);
    sim->inter.set_PC_value(2);
    sim->adr_debut_desassemblage = 0;
    capture_erreur trace;
    sim->rafraichit_desassemble();
    trace.fin();
    const char* attendu[] = {"   0 LOADI 5", "-> 2 LOAD 4096", "   5 STORE -16,X", "   8 BNE -8"};
    for (int y = 0; y < 4; y++) EXPECT_STREQ(sim->point_desa[y]->label(), attendu[y]);
}

enum geste_dump { CURSEUR, HAUT, BAS };

struct vue_dump {
    const char* nom;
    double position; // the slider's value before the action
    geste_dump geste;
    double position_apres;
    const char* premiere;
    const char* derniere;
};

// Memory holds the low byte of each address.
// clang-format off
const vue_dump vues_dump[] = {
    {"debut, DUMP_U: reste a 0",          0,      HAUT,    0,     "   0  0  1  2  3  4  5  6  7", "  58 58 59 5a 5b 5c 5d 5e 5f"},
    {"debut, DUMP_D: une ligne plus bas", 0,      BAS,     8,     "   8  8  9  a  b  c  d  e  f", "  60 60 61 62 63 64 65 66 67"},
    {"fin, DUMP_D: reste a 65440",        65440,  BAS,     65440, "ffa0 a0 a1 a2 a3 a4 a5 a6 a7", "fff8 f8 f9 fa fb fc fd fe ff"},
    {"fin moins une ligne, DUMP_D",       65432,  BAS,     65440, "ffa0 a0 a1 a2 a3 a4 a5 a6 a7", "fff8 f8 f9 fa fb fc fd fe ff"},
    {"DUMP_U d'une position quelconque",  100,    HAUT,    88,    "  58 58 59 5a 5b 5c 5d 5e 5f", "  b0 b0 b1 b2 b3 b4 b5 b6 b7"},
    {"curseur: multiple de 8 inferieur",  13,     CURSEUR, 8,     "   8  8  9  a  b  c  d  e  f", "  60 60 61 62 63 64 65 66 67"},
    {"curseur: valeur tronquee",          15.9,   CURSEUR, 8,     "   8  8  9  a  b  c  d  e  f", "  60 60 61 62 63 64 65 66 67"},
    {"curseur au bout",                   65440,  CURSEUR, 65440, "ffa0 a0 a1 a2 a3 a4 a5 a6 a7", "fff8 f8 f9 fa fb fc fd fe ff"},
};
// clang-format on

TEST(Dump, DefilementEtBornes) {
    auto sim = nouveau_simulateur();
    for (int a = 0; a < 65536; a++)
        sim->memoire.write_byte(static_cast<uint16_t>(a), static_cast<uint8_t>(a));
    for (const vue_dump& v : vues_dump) {
        SCOPED_TRACE(v.nom);
        sim->SIM->DUMP_SLIDE->value(v.position);
        Fl_Widget* boutons[] = {sim->SIM->DUMP_SLIDE, sim->SIM->DUMP_U, sim->SIM->DUMP_D};
        passe_avec(*sim, boutons[v.geste]);
        EXPECT_EQ(sim->SIM->DUMP_SLIDE->value(), v.position_apres);
        EXPECT_STREQ(sim->point_dump[0]->label(), v.premiere);
        EXPECT_STREQ(sim->point_dump[11]->label(), v.derniere);
        EXPECT_EQ(sim->point_dump[0]->labelsize(), 13);
        EXPECT_EQ(sim->point_dump[11]->labelsize(), 13);
    }
}

TEST(Dump, FormatDUneLigne) {
    auto sim = nouveau_simulateur();
    const uint8_t octets[] = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};
    for (uint16_t i = 0; i < 8; i++) sim->memoire.write_byte(0x10 + i, octets[i]);
    sim->SIM->DUMP_SLIDE->value(0x10);
    sim->rafraichit_dump(0);
    EXPECT_STREQ(sim->point_dump[0]->label(), "  10  1 23 45 67 89 ab cd ef");
    EXPECT_EQ(std::strlen(sim->point_dump[0]->label()), 28u);
}

struct remplissage {
    const char* nom;
    const char *adresse, *valeur, *nombre;
    std::vector<std::pair<uint16_t, uint8_t>> cases; // cells checked afterwards
};

// Memory holds $FF before each fill.
// clang-format off
const remplissage remplissages[] = {
    {"de $FFFF a $0000, 8 bits bas", "$FFFF", "$1AB", "2",  {{0xFFFE, 0xFF}, {0xFFFF, 0xAB}, {0x0000, 0xAB}, {0x0001, 0xFF}}},
    {"decimal",                      "16",    "5",    "3",  {{15, 0xFF}, {16, 5}, {17, 5}, {18, 5}, {19, 0xFF}}},
    {"nombre 0",                     "16",    "5",    "0",  {{16, 0xFF}}},
    {"nombre negatif",               "16",    "5",    "-3", {{16, 0xFF}, {15, 0xFF}, {13, 0xFF}}},
    {"nombre en hexadecimal",        "$20",   "$7",   "$2", {{0x20, 7}, {0x21, 7}, {0x22, 0xFF}}},
    {"+5 se lit -45",                "+5",    "1",    "1",  {{0xFFD3, 1}, {5, 0xFF}}},
    {"adresse au-dela de 16 bits",   "2147483647", "9", "2", {{0xFFFF, 9}, {0x0000, 9}, {0x0001, 0xFF}}},
    {"valeur -2",                    "100",   "-2",   "1",  {{100, 0xFE}}},
};
// clang-format on

TEST(Remplissage, Cases) {
    for (const remplissage& r : remplissages) {
        SCOPED_TRACE(r.nom);
        auto sim = nouveau_simulateur();
        sim->SIM->DUMP_SLIDE->value(13); // the fill redraws the dump: the slider moves to 8
        capture_erreur trace;
        remplit(*sim, r.adresse, r.valeur, r.nombre);
        std::vector<std::string> l = lignes(trace.fin());
        for (const auto& c : r.cases)
            EXPECT_EQ(sim->memoire.read_byte(c.first), c.second) << c.first;
        EXPECT_EQ(sim->SIM->DUMP_SLIDE->value(), 8);
        EXPECT_GE(l.size(), 13u + 3u) << "the disassembly is redrawn, and the ports react";
    }
}

TEST(Remplissage, AuDelaDe65536LaMemoireEstLaMeme) {
    std::vector<uint16_t> memoires[2];
    const char* nombres[] = {"65536", "100000"};
    for (int i = 0; i < 2; i++) {
        auto sim = nouveau_simulateur();
        for (int a = 0; a < 65536; a++)
            sim->memoire.write_byte(static_cast<uint16_t>(a), static_cast<uint8_t>(a * 7));
        capture_erreur silence;
        remplit(*sim, "$1234", "$5A", nombres[i]);
        memoires[i].assign(sim->memoire.mem, sim->memoire.mem + 65536);
        // The ports' registers are kept by the ports themselves.
        EXPECT_EQ(sim->memoire.read_byte(0x1233), 0x5A) << nombres[i];
        EXPECT_EQ(sim->memoire.read_byte(0x1234), 0x5A) << nombres[i];
    }
    EXPECT_TRUE(memoires[0] == memoires[1]);
}

} // namespace
