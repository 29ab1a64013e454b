// The nine operand instructions: their four modes, flags, moves and the wrap-arounds at the top
// of memory.
#include "cas_execution.h"

namespace {

// clang-format off
const cas_execution operandes[] = {
    // name                                                 pc      code                  other cells                    A     X       CCR          A'    X'      CCR'         PC'     written          console
    {"LOAD imm $80: N set, C and V kept",                   0x0100, {0x01, 0x80},         {},                            0x00, 0x0000, V | C,       0x80, 0x0000, N | V | C,   0x0102, {},              ""},
    {"LOAD imm 0: Z set, N cleared",                        0x0100, {0x01, 0x00},         {},                            0x55, 0x0000, N,           0x00, 0x0000, Z,           0x0102, {},              ""},
    {"LOAD dir $2000",                                      0x0100, {0x02, 0x20, 0x00},   {{0x2000, 0x42}},              0x00, 0x0000, N | Z,       0x42, 0x0000, 0,           0x0103, {},              ""},
    {"LOAD dir keeps CCR bits 7-4",                         0x0100, {0x02, 0x20, 0x00},   {{0x2000, 0x42}},              0x00, 0x0000, 0xF0,        0x42, 0x0000, 0xF0,        0x0103, {},              ""},
    {"LOAD idx $1000 + X $0234",                            0x0100, {0x03, 0x10, 0x00},   {{0x1234, 0x7E}},              0x00, 0x0234, 0,           0x7E, 0x0234, 0,           0x0103, {},              ""},
    {"LOAD idx X $FFFF + 2 wraps to $0001",                 0x0100, {0x03, 0x00, 0x02},   {{0x0001, 0x37}, {0x0002, 0x99}}, 0x00, 0xFFFF, 0,        0x37, 0xFFFF, 0,           0x0103, {},              ""},
    {"LOAD idx offset -5 from X $1005",                     0x0100, {0x03, 0xFF, 0xFB},   {{0x1000, 0x81}},              0x00, 0x1005, 0,           0x81, 0x1005, N,           0x0103, {},              ""},
    {"LOAD dir at $FFFE: operand word at $FFFF reads 0",    0xFFFE, {0x02, 0x12},         {{0x0000, 0x5A}},              0x00, 0x0000, 0,           0x5A, 0x0000, 0,           0x0001, {},              ""},
    {"LOAD idx at $FFFE: operand word 0, address is X",     0xFFFE, {0x03, 0x12},         {{0x0010, 0x66}},              0x00, 0x0010, 0,           0x66, 0x0010, 0,           0x0001, {},              ""},
    {"LOAD imm at $FFFF: operand from $0000",               0xFFFF, {0x01},               {{0x0000, 0x7F}},              0x80, 0x0000, N,           0x7F, 0x0000, 0,           0x0001, {},              ""},
    {"LOAD dir at $FFFF: operand word from $0000-$0001",    0xFFFF, {0x02, 0x00, 0x30},   {{0x0030, 0x01}},              0x00, 0x0000, 0,           0x01, 0x0000, 0,           0x0002, {},              ""},
    {"LOAD imm through $81: bit 7 ignored",                 0x0100, {0x81, 0x05},         {},                            0x00, 0x0000, Z,           0x05, 0x0000, 0,           0x0102, {},              ""},

    {"STORE dir: A to $2000, N from A, C kept",             0x0100, {0x06, 0x20, 0x00},   {},                            0x80, 0x0000, Z | C,       0x80, 0x0000, N | C,       0x0103, {{0x2000, 0x80}}, ""},
    {"STORE idx $FFFF + X 2 wraps to $0001, Z from A",      0x0100, {0x07, 0xFF, 0xFF},   {},                            0x00, 0x0002, N | V,       0x00, 0x0002, Z | V,       0x0103, {{0x0001, 0x00}}, ""},
    {"STORE dir at $FFFE: operand word 0, stores at $0000", 0xFFFE, {0x06, 0x12},         {},                            0x33, 0x0000, 0,           0x33, 0x0000, 0,           0x0001, {{0x0000, 0x33}}, ""},
    {"STORE dir $FFFF: the last cell is plain memory",      0x0100, {0x06, 0xFF, 0xFF},   {},                            0x11, 0x0000, 0,           0x11, 0x0000, 0,           0x0103, {{0xFFFF, 0x11}}, ""},
    {"STORE idx through $87: bit 7 ignored",                0x0100, {0x87, 0x30, 0x00},   {},                            0x7F, 0x0005, 0,           0x7F, 0x0005, 0,           0x0103, {{0x3005, 0x7F}}, ""},

    {"MUL imm $10 x $10: low byte 0, Z, C and V kept",      0x0100, {0x21, 0x10},         {},                            0x10, 0x0000, N | V | C,   0x00, 0x0000, Z | V | C,   0x0102, {},              ""},
    {"MUL imm $FF x $FF keeps the low byte $01",            0x0100, {0x21, 0xFF},         {},                            0xFF, 0x0000, Z,           0x01, 0x0000, 0,           0x0102, {},              ""},
    {"MUL dir 12 x 11 = $84: N, no overflow flag",          0x0100, {0x22, 0x20, 0x00},   {{0x2000, 0x0B}},              0x0C, 0x0000, 0,           0x84, 0x0000, N,           0x0103, {},              ""},
    {"MUL idx 3 x 5",                                       0x0100, {0x23, 0x00, 0x10},   {{0x0210, 0x05}},              0x03, 0x0200, 0,           0x0F, 0x0200, 0,           0x0103, {},              ""},

    {"ADD imm $FF + 1: 0 and Z, no carry",                  0x0100, {0x25, 0x01},         {},                            0xFF, 0x0000, N,           0x00, 0x0000, Z,           0x0102, {},              ""},
    {"ADD imm $7F + 1: N, no overflow",                     0x0100, {0x25, 0x01},         {},                            0x7F, 0x0000, 0,           0x80, 0x0000, N,           0x0102, {},              ""},
    {"ADD dir: C and V kept",                               0x0100, {0x26, 0x20, 0x00},   {{0x2000, 0x20}},              0x10, 0x0000, N | Z | V | C, 0x30, 0x0000, V | C,     0x0103, {},              ""},
    {"ADD idx $1FF0 + X $0010",                             0x0100, {0x27, 0x1F, 0xF0},   {{0x2000, 0x05}},              0x03, 0x0010, 0,           0x08, 0x0010, 0,           0x0103, {},              ""},

    {"SUB imm 0 - 1: $FF and N, no borrow",                 0x0100, {0x29, 0x01},         {},                            0x00, 0x0000, 0,           0xFF, 0x0000, N,           0x0102, {},              ""},
    {"SUB imm 5 - 5: Z",                                    0x0100, {0x29, 0x05},         {},                            0x05, 0x0000, N,           0x00, 0x0000, Z,           0x0102, {},              ""},
    {"SUB dir $80 - 1: $7F, N cleared, C kept",             0x0100, {0x2A, 0x20, 0x00},   {{0x2000, 0x01}},              0x80, 0x0000, N | C,       0x7F, 0x0000, C,           0x0103, {},              ""},
    {"SUB idx $0001 + X $1FFF",                             0x0100, {0x2B, 0x00, 0x01},   {{0x2000, 0x10}},              0x30, 0x1FFF, 0,           0x20, 0x1FFF, 0,           0x0103, {},              ""},

    {"CMP imm equal: Z, A kept",                            0x0100, {0x2D, 0x42},         {},                            0x42, 0x0000, N,           0x42, 0x0000, Z,           0x0102, {},              ""},
    {"CMP imm $80 with 1: difference $7F clears N and Z",   0x0100, {0x2D, 0x01},         {},                            0x80, 0x0000, N | Z,       0x80, 0x0000, 0,           0x0102, {},              ""},
    {"CMP dir 1 with 2: difference $FF sets N, C kept",     0x0100, {0x2E, 0x20, 0x00},   {{0x2000, 0x02}},              0x01, 0x0000, C,           0x01, 0x0000, N | C,       0x0103, {},              ""},
    {"CMP idx equal",                                       0x0100, {0x2F, 0x10, 0x00},   {{0x1001, 0x10}},              0x10, 0x0001, 0,           0x10, 0x0001, Z,           0x0103, {},              ""},

    {"AND imm $F0 & $3C",                                   0x0100, {0x35, 0x3C},         {},                            0xF0, 0x0000, N | Z,       0x30, 0x0000, 0,           0x0102, {},              ""},
    {"AND dir $0F & $F0: Z",                                0x0100, {0x36, 0x20, 0x00},   {{0x2000, 0xF0}},              0x0F, 0x0000, 0,           0x00, 0x0000, Z,           0x0103, {},              ""},
    {"AND idx: N, C and V kept",                            0x0100, {0x37, 0x20, 0x00},   {{0x2001, 0x80}},              0xFF, 0x0001, V | C,       0x80, 0x0001, N | V | C,   0x0103, {},              ""},

    {"OR imm $80 | 1: N",                                   0x0100, {0x39, 0x01},         {},                            0x80, 0x0000, 0,           0x81, 0x0000, N,           0x0102, {},              ""},
    {"OR dir 0 | 0: Z",                                     0x0100, {0x3A, 0x20, 0x00},   {{0x2000, 0x00}},              0x00, 0x0000, N,           0x00, 0x0000, Z,           0x0103, {},              ""},
    {"OR idx $0F | $30",                                    0x0100, {0x3B, 0x20, 0x00},   {{0x2002, 0x30}},              0x0F, 0x0002, Z,           0x3F, 0x0002, 0,           0x0103, {},              ""},

    {"XOR imm $FF ^ $FF: Z",                                0x0100, {0x3D, 0xFF},         {},                            0xFF, 0x0000, N,           0x00, 0x0000, Z,           0x0102, {},              ""},
    {"XOR dir $0F ^ $F0: N",                                0x0100, {0x3E, 0x20, 0x00},   {{0x2000, 0xF0}},              0x0F, 0x0000, 0,           0xFF, 0x0000, N,           0x0103, {},              ""},
    {"XOR idx through $BF: bit 7 ignored",                  0x0100, {0xBF, 0x20, 0x00},   {{0x2010, 0x55}},              0x55, 0x0010, 0,           0x00, 0x0010, Z,           0x0103, {},              ""},
};

// A refused mode prints one line, skips the instruction by its mode bits and changes nothing else.
const cas_execution modes_refuses[] = {
    {"LOAD mode 0",                   0x0100, {0x00, 0x20, 0x00}, {}, 0x5A, 0x1234, 0x0F, 0x5A, 0x1234, 0x0F, 0x0101, {}, "MODE INHERENT anormal pour instruction LOAD ...\n"},
    {"STORE mode 0",                  0x0100, {0x04, 0x20, 0x00}, {}, 0x5A, 0x1234, 0x0F, 0x5A, 0x1234, 0x0F, 0x0101, {}, "MODE INHERENT anormal pour instruction STORE ...\n"},
    {"STORE mode 1: nothing stored",  0x0100, {0x05, 0x20, 0x00}, {}, 0x5A, 0x1234, 0x0F, 0x5A, 0x1234, 0x0F, 0x0102, {}, "MODE IMMEDIAT anormal pour instruction STORE ...\n"},
    {"MUL mode 0",                    0x0100, {0x20, 0x20, 0x00}, {}, 0x5A, 0x1234, 0x0F, 0x5A, 0x1234, 0x0F, 0x0101, {}, "MODE INHERENT anormal pour instruction MUL ...\n"},
    {"ADD mode 0",                    0x0100, {0x24, 0x20, 0x00}, {}, 0x5A, 0x1234, 0x0F, 0x5A, 0x1234, 0x0F, 0x0101, {}, "MODE INHERENT anormal pour instruction ADD ...\n"},
    {"SUB mode 0",                    0x0100, {0x28, 0x20, 0x00}, {}, 0x5A, 0x1234, 0x0F, 0x5A, 0x1234, 0x0F, 0x0101, {}, "MODE INHERENT anormal pour instruction SUB ...\n"},
    {"CMP mode 0",                    0x0100, {0x2C, 0x20, 0x00}, {}, 0x5A, 0x1234, 0x0F, 0x5A, 0x1234, 0x0F, 0x0101, {}, "MODE INHERENT anormal pour instruction CMP ...\n"},
    {"AND mode 0",                    0x0100, {0x34, 0x20, 0x00}, {}, 0x5A, 0x1234, 0x0F, 0x5A, 0x1234, 0x0F, 0x0101, {}, "MODE INHERENT anormal pour instruction AND ...\n"},
    {"OR mode 0",                     0x0100, {0x38, 0x20, 0x00}, {}, 0x5A, 0x1234, 0x0F, 0x5A, 0x1234, 0x0F, 0x0101, {}, "MODE INHERENT anormal pour instruction OR ...\n"},
    {"XOR mode 0",                    0x0100, {0x3C, 0x20, 0x00}, {}, 0x5A, 0x1234, 0x0F, 0x5A, 0x1234, 0x0F, 0x0101, {}, "MODE INHERENT anormal pour instruction XOR ...\n"},
    {"ADD mode 0 through $A4",        0x0100, {0xA4, 0x20, 0x00}, {}, 0x5A, 0x1234, 0x0F, 0x5A, 0x1234, 0x0F, 0x0101, {}, "MODE INHERENT anormal pour instruction ADD ...\n"},
    {"STORE mode 1 through $85",      0x0100, {0x85, 0x20, 0x00}, {}, 0x5A, 0x1234, 0x0F, 0x5A, 0x1234, 0x0F, 0x0102, {}, "MODE IMMEDIAT anormal pour instruction STORE ...\n"},
    {"LOAD mode 0 at $FFFF wraps",    0xFFFF, {0x00},             {}, 0x5A, 0x1234, 0x0F, 0x5A, 0x1234, 0x0F, 0x0000, {}, "MODE INHERENT anormal pour instruction LOAD ...\n"},
    {"STORE mode 1 at $FFFF wraps",   0xFFFF, {0x05},             {}, 0x5A, 0x1234, 0x0F, 0x5A, 0x1234, 0x0F, 0x0001, {}, "MODE IMMEDIAT anormal pour instruction STORE ...\n"},
};
// clang-format on

TEST(InstructionsOperande, ExecutentLeurOperationDansLesModesAcceptes) {
    for (const cas_execution& cas : operandes) verifie_cas(cas);
}

TEST(InstructionsOperande, UnModeRefuseEcritSonMessageEtSauteLInstruction) {
    for (const cas_execution& cas : modes_refuses) verifie_cas(cas);
}

} // namespace
