// The eleven branches: their conditions on CCR, the displacement counted from the branch's own
// byte, BNE's two lines, and the wrap-arounds at the top of memory. No branch changes A, X, CCR
// or memory.
#include "cas_execution.h"

namespace {

// clang-format off
const cas_execution branchements[] = {
    //  name                                           pc      code                other             A     X       CCR        A'    X'      CCR'       PC'     written console
    {"BEQ taken on Z: +5 from its own byte",           0x0010, {0x52, 0x00, 0x05}, {},               0x5A, 0x1234, Z,         0x5A, 0x1234, Z,         0x0015, {}, ""},
    {"BEQ not taken: skips its 3 bytes",               0x0010, {0x52, 0x00, 0x05}, {},               0x5A, 0x1234, N | V | C, 0x5A, 0x1234, N | V | C, 0x0013, {}, ""},
    {"BEQ mode 0 ($50) still reads its displacement",  0x0010, {0x50, 0x00, 0x08}, {},               0x5A, 0x1234, Z,         0x5A, 0x1234, Z,         0x0018, {}, ""},
    {"BEQ mode 1 ($51) not taken skips 3 bytes",       0x0010, {0x51, 0x00, 0x08}, {},               0x5A, 0x1234, 0,         0x5A, 0x1234, 0,         0x0013, {}, ""},
    {"BNE taken on Z clear: -3",                       0x0010, {0x56, 0xFF, 0xFD}, {},               0x5A, 0x1234, N | V | C, 0x5A, 0x1234, N | V | C, 0x000D, {}, "non egalite!\n"},
    {"BNE not taken on Z",                             0x0010, {0x56, 0xFF, 0xFD}, {},               0x5A, 0x1234, Z,         0x5A, 0x1234, Z,         0x0013, {}, "egalite!\n"},
    {"BNE mode 1 ($55) taken",                         0x0010, {0x55, 0x00, 0x10}, {},               0x5A, 0x1234, 0,         0x5A, 0x1234, 0,         0x0020, {}, "non egalite!\n"},
    {"BNE at $FFFE not taken wraps to $0001",          0xFFFE, {0x56},             {},               0x5A, 0x1234, Z,         0x5A, 0x1234, Z,         0x0001, {}, "egalite!\n"},
    {"BLT taken on N",                                 0x0010, {0x5A, 0x00, 0x20}, {},               0x5A, 0x1234, N,         0x5A, 0x1234, N,         0x0030, {}, ""},
    {"BLT not taken on N clear",                       0x0010, {0x5A, 0x00, 0x20}, {},               0x5A, 0x1234, Z | C,     0x5A, 0x1234, Z | C,     0x0013, {}, ""},
    {"BLT ignores V",                                  0x0010, {0x5A, 0x00, 0x20}, {},               0x5A, 0x1234, V,         0x5A, 0x1234, V,         0x0013, {}, ""},
    {"BLE taken on N",                                 0x0010, {0x5E, 0x00, 0x20}, {},               0x5A, 0x1234, N,         0x5A, 0x1234, N,         0x0030, {}, ""},
    {"BLE taken on Z",                                 0x0010, {0x5E, 0x00, 0x20}, {},               0x5A, 0x1234, Z,         0x5A, 0x1234, Z,         0x0030, {}, ""},
    {"BLE not taken on N and Z clear",                 0x0010, {0x5E, 0x00, 0x20}, {},               0x5A, 0x1234, V | C,     0x5A, 0x1234, V | C,     0x0013, {}, ""},
    {"BGE taken on N clear, V ignored",                0x0010, {0x62, 0x00, 0x20}, {},               0x5A, 0x1234, Z | V,     0x5A, 0x1234, Z | V,     0x0030, {}, ""},
    {"BGE not taken on N",                             0x0010, {0x62, 0x00, 0x20}, {},               0x5A, 0x1234, N,         0x5A, 0x1234, N,         0x0013, {}, ""},
    {"BGT taken on N and Z clear",                     0x0010, {0x66, 0x00, 0x20}, {},               0x5A, 0x1234, V | C,     0x5A, 0x1234, V | C,     0x0030, {}, ""},
    {"BGT not taken on Z",                             0x0010, {0x66, 0x00, 0x20}, {},               0x5A, 0x1234, Z,         0x5A, 0x1234, Z,         0x0013, {}, ""},
    {"BGT not taken on N",                             0x0010, {0x66, 0x00, 0x20}, {},               0x5A, 0x1234, N,         0x5A, 0x1234, N,         0x0013, {}, ""},
    {"BC taken on C",                                  0x0010, {0x6A, 0x00, 0x20}, {},               0x5A, 0x1234, C,         0x5A, 0x1234, C,         0x0030, {}, ""},
    {"BC not taken on C clear",                        0x0010, {0x6A, 0x00, 0x20}, {},               0x5A, 0x1234, N | Z | V, 0x5A, 0x1234, N | Z | V, 0x0013, {}, ""},
    {"BNC taken on C clear",                           0x0010, {0x6E, 0x00, 0x20}, {},               0x5A, 0x1234, N | Z | V, 0x5A, 0x1234, N | Z | V, 0x0030, {}, ""},
    {"BNC not taken on C",                             0x0010, {0x6E, 0x00, 0x20}, {},               0x5A, 0x1234, C,         0x5A, 0x1234, C,         0x0013, {}, ""},
    {"BV taken on V",                                  0x0010, {0x72, 0x00, 0x20}, {},               0x5A, 0x1234, V,         0x5A, 0x1234, V,         0x0030, {}, ""},
    {"BV not taken on V clear",                        0x0010, {0x72, 0x00, 0x20}, {},               0x5A, 0x1234, N | Z | C, 0x5A, 0x1234, N | Z | C, 0x0013, {}, ""},
    {"BNV taken on V clear",                           0x0010, {0x76, 0x00, 0x20}, {},               0x5A, 0x1234, N | Z | C, 0x5A, 0x1234, N | Z | C, 0x0030, {}, ""},
    {"BNV not taken on V",                             0x0010, {0x76, 0x00, 0x20}, {},               0x5A, 0x1234, V,         0x5A, 0x1234, V,         0x0013, {}, ""},
    {"B 0 loops on itself",                            0x0010, {0x7A, 0x00, 0x00}, {},               0x5A, 0x1234, 0,         0x5A, 0x1234, 0,         0x0010, {}, ""},
    {"B 3 goes to the next instruction",               0x0010, {0x7A, 0x00, 0x03}, {},               0x5A, 0x1234, 0x0F,      0x5A, 0x1234, 0x0F,      0x0013, {}, ""},
    {"B -3 from $0010 goes to $000D",                  0x0010, {0x7A, 0xFF, 0xFD}, {},               0x5A, 0x1234, 0,         0x5A, 0x1234, 0,         0x000D, {}, ""},
    {"B -32768 from $0010",                            0x0010, {0x7A, 0x80, 0x00}, {},               0x5A, 0x1234, 0,         0x5A, 0x1234, 0,         0x8010, {}, ""},
    {"B +$20 from $FFF0 wraps to $0010",               0xFFF0, {0x7A, 0x00, 0x20}, {},               0x5A, 0x1234, 0,         0x5A, 0x1234, 0,         0x0010, {}, ""},
    {"B mode 0 ($78) still reads its displacement",    0x0010, {0x78, 0x00, 0x20}, {},               0x5A, 0x1234, 0,         0x5A, 0x1234, 0,         0x0030, {}, ""},
    {"B through $FA: bit 7 ignored",                   0x0010, {0xFA, 0x00, 0x20}, {},               0x5A, 0x1234, 0,         0x5A, 0x1234, 0,         0x0030, {}, ""},
    {"B at $FFFE: displacement word at $FFFF reads 0", 0xFFFE, {0x7A, 0x12},       {{0x0000, 0x34}}, 0x5A, 0x1234, 0,         0x5A, 0x1234, 0,         0xFFFE, {}, ""},
    {"BEQ not taken at $FFFE wraps to $0001",          0xFFFE, {0x52, 0x12},       {{0x0000, 0x34}}, 0x5A, 0x1234, 0,         0x5A, 0x1234, 0,         0x0001, {}, ""},
    {"B at $FFFF: displacement from $0000-$0001",      0xFFFF, {0x7A, 0x00, 0x04}, {},               0x5A, 0x1234, 0,         0x5A, 0x1234, 0,         0x0003, {}, ""},
};
// clang-format on

TEST(Branchements, SuiventLeurConditionDepuisLeurPropreOctet) {
    for (const cas_execution& cas : branchements) verifie_cas(cas);
}

} // namespace
