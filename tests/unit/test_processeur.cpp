// The processor's state and decoding: the instruction tables, the instruction byte's fields, the
// next address, the Z/N update, the reset, and two properties checked over every byte value.
#include "cas_execution.h"

#include <cstring>

namespace {

enum genre_attendu { OPERANDE, REGISTRE, BRANCHE };

struct instruction_attendue {
    const char* mnemonique;
    genre_attendu genre;
};

// The instruction-set sheet, written independently of the core's own table.
const instruction_attendue jeu[32] = {
    {"LOAD", OPERANDE}, {"STORE", OPERANDE}, {"TAXL", REGISTRE}, {"TAXH", REGISTRE},
    {"TXLA", REGISTRE}, {"TXHA", REGISTRE},  {"XAXL", REGISTRE}, {"XAXH", REGISTRE},
    {"MUL", OPERANDE},  {"ADD", OPERANDE},   {"SUB", OPERANDE},  {"CMP", OPERANDE},
    {"NEG", REGISTRE},  {"AND", OPERANDE},   {"OR", OPERANDE},   {"XOR", OPERANDE},
    {"NOT", REGISTRE},  {"ASR", REGISTRE},   {"LSR", REGISTRE},  {"LSL", REGISTRE},
    {"BEQ", BRANCHE},   {"BNE", BRANCHE},    {"BLT", BRANCHE},   {"BLE", BRANCHE},
    {"BGE", BRANCHE},   {"BGT", BRANCHE},    {"BC", BRANCHE},    {"BNC", BRANCHE},
    {"BV", BRANCHE},    {"BNV", BRANCHE},    {"B", BRANCHE},     {"NOP", REGISTRE},
};

TEST(Processeur, LesTablesDonnentMnemoniqueEtLongueurDeBase) {
    machine_test m;
    for (int n = 0; n < 32; ++n) {
        SCOPED_TRACE(jeu[n].mnemonique);
        EXPECT_STREQ(internal_mac_interpreteur_libelle_instruction[n], jeu[n].mnemonique);
        EXPECT_EQ(internal_mac_interpreteur_taille_instruction[n], 1);
        // Instruction byte 4n in mode 0 shows the mnemonic alone, traced with its number.
        m.memoire->write_byte(0x0200, static_cast<uint8_t>(4 * n));
        char texte[16];
        capture_console capture;
        m.inter.desassemblage_instruction(0x0200, texte);
        EXPECT_STREQ(texte, jeu[n].mnemonique);
        EXPECT_EQ(capture.texte(), std::to_string(n) + " " + jeu[n].mnemonique + "\n");
    }
}

TEST(Processeur, DecodeNumeroEtModeEnIgnorantLeBit7) {
    struct cas {
        uint8_t octet;
        int numero;
        int mode;
    };
    const cas table[] = {
        {0xFF, 31, 3}, {0x80, 0, 0},  {0x25, 9, 1},  {0x7C, 31, 0},
        {0x03, 0, 3},  {0x52, 20, 2}, {0xD6, 21, 2}, {0x00, 0, 0},
    };
    machine_test m;
    for (const cas& c : table) {
        SCOPED_TRACE(hexa(c.octet, 2));
        m.memoire->write_byte(0x4321, c.octet);
        EXPECT_EQ(m.inter.decodage_instruction(0x4321), c.numero);
        EXPECT_EQ(m.inter.decodage_mode(0x4321), c.mode);
    }
}

TEST(Processeur, AdresseSuivanteVaParLesBitsDeMode) {
    struct cas {
        const char* nom;
        uint16_t adresse;
        uint8_t octet;
        uint16_t suivante;
    };
    const cas table[] = {
        {"mode 0", 0x0010, 0x24, 0x0011},
        {"mode 1", 0x0010, 0x25, 0x0012},
        {"mode 2", 0x0010, 0x26, 0x0013},
        {"mode 3", 0x0010, 0x27, 0x0013},
        {"register instruction in mode 3", 0x0010, 0xFF, 0x0013},
        {"branch in mode 0", 0x0010, 0x50, 0x0011},
        {"mode 0 at $FFFF", 0xFFFF, 0x7C, 0x0000},
        {"mode 1 at $FFFF", 0xFFFF, 0x01, 0x0001},
        {"mode 2 at $FFFF", 0xFFFF, 0x02, 0x0002},
        {"mode 3 at $FFFE", 0xFFFE, 0x03, 0x0001},
    };
    machine_test m;
    for (const cas& c : table) {
        SCOPED_TRACE(c.nom);
        m.memoire->write_byte(c.adresse, c.octet);
        EXPECT_EQ(hexa(m.inter.adresse_suivante(c.adresse), 4), hexa(c.suivante, 4));
    }
}

TEST(Processeur, SurMemoireNeuveAdresseSuivanteDitTroisMaisStepAvanceDeUn) {
    machine_test m;
    EXPECT_EQ(m.inter.adresse_suivante(0), 3);
    m.inter.step();
    EXPECT_EQ(m.inter.PC_value(), 1);
}

TEST(Processeur, RajCcrZnNeToucheQueZEtN) {
    struct cas {
        uint8_t resultat;
        uint8_t avant;
        uint8_t apres;
    };
    const cas table[] = {
        {0x00, 0x0B, 0x07}, {0x80, 0x04, 0x08}, {0x7F, 0xFC, 0xF0},
        {0xFF, 0xF3, 0xFB}, {0x01, 0x0F, 0x03}, {0x00, 0xF0, 0xF4},
    };
    mac_interpreteur inter;
    for (const cas& c : table) {
        SCOPED_TRACE("result " + hexa(c.resultat, 2) + " on CCR " + hexa(c.avant, 2));
        inter.CCR = c.avant;
        inter.raj_CCR_ZN(c.resultat);
        EXPECT_EQ(hexa(inter.CCR_value(), 2), hexa(c.apres, 2));
    }
}

TEST(Processeur, DemarreAZeroEtLaRemiseAZeroNeChangeQuePC) {
    mac_interpreteur inter;
    EXPECT_EQ(inter.memoire, nullptr);
    EXPECT_EQ(inter.PC_value(), 0);
    EXPECT_EQ(inter.A_value(), 0);
    EXPECT_EQ(inter.tmpA_value(), 0);
    EXPECT_EQ(inter.CCR_value(), 0);
    EXPECT_EQ(inter.X_value(), 0);

    inter.set_PC_value(0xFFFF);
    inter.set_A_value(0x12);
    inter.set_X_value(0x1000);
    inter.CCR = 0x0F;
    inter.init_registers();
    EXPECT_EQ(inter.PC_value(), 0);
    EXPECT_EQ(inter.A_value(), 0x12);
    EXPECT_EQ(inter.X_value(), 0x1000);
    EXPECT_EQ(inter.CCR_value(), 0x0F);
    EXPECT_EQ(inter.tmpA_value(), 0);
}

// Reproducible memory contents that reach every operand and condition.
void remplit_pseudo_aleatoire(mem_64k& memoire, uint32_t graine) {
    for (uint32_t a = 0; a < 65536; ++a) {
        graine ^= graine << 13;
        graine ^= graine >> 17;
        graine ^= graine << 5;
        memoire.write_byte(static_cast<uint16_t>(a), static_cast<uint8_t>(graine));
    }
}

struct etat_depart {
    uint16_t pc;
    uint8_t a;
    uint16_t x;
    uint8_t ccr;
    uint32_t graine;
};

const etat_depart etats[] = {
    {0x0100, 0x00, 0x0000, 0x00, 1},
    {0x8000, 0x80, 0xFFFF, 0x0F, 2},
    {0xFFFE, 0x7F, 0x1234, 0x05, 3},
    {0xFFFF, 0x01, 0x8000, 0x0A, 4},
};

void prepare(machine_test& m, const etat_depart& e, uint8_t octet) {
    remplit_pseudo_aleatoire(*m.memoire, e.graine);
    m.memoire->write_byte(e.pc, octet);
    m.inter.set_PC_value(e.pc);
    m.inter.set_A_value(e.a);
    m.inter.set_X_value(e.x);
    m.inter.CCR = e.ccr;
}

TEST(Processeur, UnOctetAvecLeBit7SExecuteCommeSansLui) {
    for (const etat_depart& e : etats) {
        for (int octet = 0; octet < 0x80; ++octet) {
            SCOPED_TRACE("byte " + hexa(octet, 2) + " at " + hexa(e.pc, 4));
            machine_test sans, avec;
            prepare(sans, e, static_cast<uint8_t>(octet));
            prepare(avec, e, static_cast<uint8_t>(octet | 0x80));
            std::string console_sans, console_avec;
            {
                capture_console capture;
                sans.inter.step();
                console_sans = capture.texte();
            }
            {
                capture_console capture;
                avec.inter.step();
                console_avec = capture.texte();
            }
            ASSERT_EQ(avec.inter.PC_value(), sans.inter.PC_value());
            ASSERT_EQ(avec.inter.A_value(), sans.inter.A_value());
            ASSERT_EQ(avec.inter.X_value(), sans.inter.X_value());
            ASSERT_EQ(avec.inter.CCR_value(), sans.inter.CCR_value());
            ASSERT_EQ(console_avec, console_sans);
            // The instruction's own cell differs by construction unless the step stored there.
            sans.memoire->write_byte(e.pc, avec.memoire->read_byte(e.pc));
            ASSERT_EQ(std::memcmp(avec.memoire->mem, sans.memoire->mem, sizeof avec.memoire->mem),
                      0);
        }
    }
}

bool decalage(int octet) {
    int n = octet >> 2 & 0x1F;
    return n == 17 || n == 18 || n == 19; // ASR, LSR, LSL
}

// Where execution continues, by kind: operand instructions where adresse_suivante says (even in
// a refused mode), register instructions one byte on, branches three bytes on or a + displacement.
TEST(Processeur, ChaqueOctetDeplacePCSelonSonGenre) {
    for (const etat_depart& e : etats) {
        for (int octet = 0; octet < 0x100; ++octet) {
            SCOPED_TRACE("byte " + hexa(octet, 2) + " at " + hexa(e.pc, 4));
            machine_test m;
            prepare(m, e, static_cast<uint8_t>(octet));
            const instruction_attendue& ins = jeu[octet >> 2 & 0x1F];
            uint16_t a = e.pc;
            uint16_t suivante = m.inter.adresse_suivante(a);
            uint16_t sans_saut = static_cast<uint16_t>(a + 3);
            uint16_t avec_saut =
                static_cast<uint16_t>(a + m.memoire->read_word(static_cast<uint16_t>(a + 1)));
            std::vector<uint8_t> avant = instantane(*m.memoire);
            capture_console capture;
            m.inter.step();
            uint16_t pc = m.inter.PC_value();
            switch (ins.genre) {
            case OPERANDE: EXPECT_EQ(pc, suivante); break;
            case REGISTRE: EXPECT_EQ(pc, static_cast<uint16_t>(a + 1)); break;
            case BRANCHE: EXPECT_TRUE(pc == sans_saut || pc == avec_saut) << pc; break;
            }
            // Nothing writes V or bits 7-4; only the shifts write C; only STORE writes memory.
            uint8_t touches = decalage(octet) ? 0xF0 | V : 0xF0 | V | C;
            EXPECT_EQ(m.inter.CCR_value() & touches, e.ccr & touches);
            if (std::strcmp(ins.mnemonique, "STORE") != 0) attend_memoire(*m.memoire, avant, {});
        }
    }
}

} // namespace
