// The disassembler: the text of each mode, its trace line and the next address, including
// operands that cross the top of memory.
#include "cas_execution.h"

#include <memory>

namespace {

struct cas_texte {
    const char* nom;
    uint16_t adresse;
    std::vector<uint8_t> octets; // from adresse on, wrapping; the rest is the given background
    std::vector<cellule> donnees;
    bool memoire_effacee; // background $00 (after a load) instead of the fresh $FF
    const char* texte;
    const char* trace;
    uint16_t suivante;
};

// clang-format off
const cas_texte textes[] = {
    //  name                                  address bytes               other             cleared text             trace               next
    {"ADDI 5",                                0x0200, {0x25, 0x05},       {},               false, "ADDI 5",         "9 ADDI 5",         0x0202},
    {"LOADI -1",                              0x0200, {0x01, 0xFF},       {},               false, "LOADI -1",       "0 LOADI -1",       0x0202},
    {"LOADI 127",                             0x0200, {0x01, 0x7F},       {},               false, "LOADI 127",      "0 LOADI 127",      0x0202},
    {"LOADI -128",                            0x0200, {0x01, 0x80},       {},               false, "LOADI -128",     "0 LOADI -128",     0x0202},
    {"LOAD 4096",                             0x0200, {0x02, 0x10, 0x00}, {},               false, "LOAD 4096",      "0 LOAD 4096",      0x0203},
    {"LOAD 32767",                            0x0200, {0x02, 0x7F, 0xFF}, {},               false, "LOAD 32767",     "0 LOAD 32767",     0x0203},
    {"LOAD 16,X",                             0x0200, {0x03, 0x00, 0x10}, {},               false, "LOAD 16,X",      "0 LOAD 16,X",      0x0203},
    {"STORE -16384",                          0x0200, {0x06, 0xC0, 0x00}, {},               false, "STORE -16384",   "1 STORE -16384",   0x0203},
    {"STORE -32768,X: the longest text",      0x0200, {0x07, 0x80, 0x00}, {},               false, "STORE -32768,X", "1 STORE -32768,X", 0x0203},
    {"BEQ -6",                                0x0200, {0x52, 0xFF, 0xFA}, {},               false, "BEQ -6",         "20 BEQ -6",        0x0203},
    {"BEQ in mode 0 shows no displacement",   0x0200, {0x50, 0xFF, 0xFA}, {},               false, "BEQ",            "20 BEQ",           0x0201},
    {"BEQ in mode 1 shows a byte",            0x0200, {0x51, 0x07},       {},               false, "BEQI 7",         "20 BEQI 7",        0x0202},
    {"LOAD on memory cleared by a load",      0x0200, {},                 {},               true,  "LOAD",           "0 LOAD",           0x0201},
    {"NOP -1,X on fresh memory",              0x0200, {},                 {},               false, "NOP -1,X",       "31 NOP -1,X",      0x0203},
    {"NOP",                                   0x0200, {0x7C},             {},               false, "NOP",            "31 NOP",           0x0201},
    {"NOP in mode 2 shows an operand",        0x0200, {0x7E, 0x00, 0x01}, {},               false, "NOP 1",          "31 NOP 1",         0x0203},
    {"TAXH in mode 1 shows an operand",       0x0200, {0x0D, 0x05},       {},               false, "TAXHI 5",        "3 TAXHI 5",        0x0202},
    {"bit 7 ignored: $A5 is ADDI",            0x0200, {0xA5, 0x05},       {},               false, "ADDI 5",         "9 ADDI 5",         0x0202},
    {"mode 2 at $FFFE shows $FFFF and $0000", 0xFFFE, {0x02, 0x12},       {{0x0000, 0x34}}, false, "LOAD 4660",      "0 LOAD 4660",      0x0001},
    {"mode 1 at $FFFF shows $0000",           0xFFFF, {0x25},             {{0x0000, 0x80}}, false, "ADDI -128",      "9 ADDI -128",      0x0001},
    {"mode 3 at $FFFF shows $0000 and $0001", 0xFFFF, {0x3F, 0x01, 0x02}, {},               false, "XOR 258,X",      "15 XOR 258,X",     0x0002},
    {"mode 0 at $FFFF",                       0xFFFF, {0x7C},             {},               false, "NOP",            "31 NOP",           0x0000},
};
// clang-format on

TEST(Desassembleur, EcritTexteEtTraceEtRendLAdresseSuivante) {
    for (const cas_texte& cas : textes) {
        SCOPED_TRACE(cas.nom);
        machine_test m;
        if (cas.memoire_effacee) m.memoire->efface(0x00);
        m.place(cas.adresse, cas.octets);
        m.place(cas.donnees);
        m.inter.set_PC_value(0x1357);
        m.inter.set_A_value(0x24);
        m.inter.set_X_value(0x6812);
        m.inter.CCR = 0x0A;
        std::vector<uint8_t> avant = instantane(*m.memoire);
        // Exactly the 15 bytes the longest text needs, so that the sanitizer sees any overrun.
        std::unique_ptr<char[]> chaine(new char[15]);
        std::string trace;
        uint16_t suivante;
        {
            capture_console capture;
            suivante = m.inter.desassemblage_instruction(cas.adresse, chaine.get());
            trace = capture.texte();
        }
        EXPECT_STREQ(chaine.get(), cas.texte);
        EXPECT_EQ(trace, std::string(cas.trace) + "\n");
        EXPECT_EQ(hexa(suivante, 4), hexa(cas.suivante, 4));
        // Disassembling changes no register and no cell.
        EXPECT_EQ(m.inter.PC_value(), 0x1357);
        EXPECT_EQ(m.inter.A_value(), 0x24);
        EXPECT_EQ(m.inter.X_value(), 0x6812);
        EXPECT_EQ(m.inter.CCR_value(), 0x0A);
        attend_memoire(*m.memoire, avant, {});
    }
}

} // namespace
