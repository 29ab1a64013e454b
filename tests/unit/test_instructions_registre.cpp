// The twelve register instructions: one byte whatever their mode bits, their flags, and the
// quirks a reader would "fix" (TAXH's flags, NOT being logical).
#include "cas_execution.h"

namespace {

// clang-format off
const cas_execution registres[] = {
    //  name                                              pc      code                mem A     X       CCR                   A'    X'      CCR'       PC'     written console
    {"TAXL $80 into X $1000: N, C and V kept",            0x0100, {0x08},             {}, 0x80, 0x1000, V | C,                0x80, 0x1080, N | V | C, 0x0101, {}, ""},
    {"TAXL 0 into X $12FF: Z",                            0x0100, {0x08},             {}, 0x00, 0x12FF, N,                    0x00, 0x1200, Z,         0x0101, {}, ""},
    {"TAXL mode bits 3: one byte, operand bytes unused",  0x0100, {0x0B, 0x20, 0x00}, {}, 0x80, 0x1000, 0,                    0x80, 0x1080, N,         0x0101, {}, ""},
    {"TAXH $12 into X $0000: Z from the low byte",        0x0100, {0x0C},             {}, 0x12, 0x0000, N,                    0x12, 0x1200, Z,         0x0101, {}, ""},
    {"TAXH 0 into X $0080: N from the low byte, not Z",   0x0100, {0x0C},             {}, 0x00, 0x0080, Z,                    0x00, 0x0080, N,         0x0101, {}, ""},
    {"TAXH $80 into X $FF01: flags of $01",               0x0100, {0x8E},             {}, 0x80, 0xFF01, N | Z,                0x80, 0x8001, 0,         0x0101, {}, ""},
    {"TXLA $F0 from X $12F0: N",                          0x0100, {0x10},             {}, 0x00, 0x12F0, 0,                    0xF0, 0x12F0, N,         0x0101, {}, ""},
    {"TXLA 0 from X $1200: Z",                            0x0100, {0x11},             {}, 0x55, 0x1200, 0,                    0x00, 0x1200, Z,         0x0101, {}, ""},
    {"TXHA $80 from X $80FF: N",                          0x0100, {0x14},             {}, 0x00, 0x80FF, 0,                    0x80, 0x80FF, N,         0x0101, {}, ""},
    {"TXHA 0 from X $00FF: Z",                            0x0100, {0x16},             {}, 0x55, 0x00FF, N,                    0x00, 0x00FF, Z,         0x0101, {}, ""},
    {"XAXL A $12 with X $1004",                           0x0100, {0x18},             {}, 0x12, 0x1004, N | Z,                0x04, 0x1012, 0,         0x0101, {}, ""},
    {"XAXL A 0 with X $1080: N of the old XL",            0x0100, {0x1B},             {}, 0x00, 0x1080, Z,                    0x80, 0x1000, N,         0x0101, {}, ""},
    {"XAXH A 0 with X $FF00: N of the old XH",            0x0100, {0x1C},             {}, 0x00, 0xFF00, Z,                    0xFF, 0x0000, N,         0x0101, {}, ""},
    {"XAXH A $34 with X $0012: Z of the old XH",          0x0100, {0x1D},             {}, 0x34, 0x0012, N,                    0x00, 0x3412, Z,         0x0101, {}, ""},
    {"NEG $80 gives $80: N",                              0x0100, {0x30},             {}, 0x80, 0x0000, 0,                    0x80, 0x0000, N,         0x0101, {}, ""},
    {"NEG 0 gives 0: Z, C and V kept",                    0x0100, {0x30},             {}, 0x00, 0x0000, N | V | C,            0x00, 0x0000, Z | V | C, 0x0101, {}, ""},
    {"NEG 1 gives $FF",                                   0x0100, {0x31},             {}, 0x01, 0x0000, 0,                    0xFF, 0x0000, N,         0x0101, {}, ""},
    {"NEG 5 gives $FB",                                   0x0100, {0xB3},             {}, 0x05, 0x0000, Z,                    0xFB, 0x0000, N,         0x0101, {}, ""},
    {"NOT 0 gives 1, logical: Z and N clear",             0x0100, {0x40},             {}, 0x00, 0x0000, N | Z,                0x01, 0x0000, 0,         0x0101, {}, ""},
    {"NOT $5A gives 0: Z",                                0x0100, {0x40},             {}, 0x5A, 0x0000, 0,                    0x00, 0x0000, Z,         0x0101, {}, ""},
    {"NOT $80 gives 0, not $7F: N cleared",               0x0100, {0x42},             {}, 0x80, 0x0000, N,                    0x00, 0x0000, Z,         0x0101, {}, ""},
    {"ASR $81 gives $C0: C from bit 0, N",                0x0100, {0x44},             {}, 0x81, 0x0000, 0,                    0xC0, 0x0000, N | C,     0x0101, {}, ""},
    {"ASR 2 gives 1: C cleared, V kept",                  0x0100, {0x45},             {}, 0x02, 0x0000, V | C,                0x01, 0x0000, V,         0x0101, {}, ""},
    {"ASR 1 gives 0: C and Z",                            0x0100, {0x47},             {}, 0x01, 0x0000, N,                    0x00, 0x0000, Z | C,     0x0101, {}, ""},
    {"LSR $81 gives $40: C, N clear",                     0x0100, {0x48},             {}, 0x81, 0x0000, N,                    0x40, 0x0000, C,         0x0101, {}, ""},
    {"LSR 1 gives 0: C and Z",                            0x0100, {0x49},             {}, 0x01, 0x0000, 0,                    0x00, 0x0000, Z | C,     0x0101, {}, ""},
    {"LSR $FE gives $7F: C cleared, V and bits 7-4 kept", 0x0100, {0xCA},             {}, 0xFE, 0x0000, 0xF0 | N | Z | V | C, 0x7F, 0x0000, 0xF0 | V,  0x0101, {}, ""},
    {"LSL $81 gives $02: C from bit 7",                   0x0100, {0x4C},             {}, 0x81, 0x0000, N,                    0x02, 0x0000, C,         0x0101, {}, ""},
    {"LSL $40 gives $80: C cleared, N",                   0x0100, {0x4D},             {}, 0x40, 0x0000, C,                    0x80, 0x0000, N,         0x0101, {}, ""},
    {"LSL $80 gives 0: C and Z",                          0x0100, {0x4F},             {}, 0x80, 0x0000, 0,                    0x00, 0x0000, Z | C,     0x0101, {}, ""},
    {"NOP changes nothing",                               0x0100, {0x7C},             {}, 0x5A, 0x1234, 0xFF,                 0x5A, 0x1234, 0xFF,      0x0101, {}, ""},
    {"NOP $FF (mode bits 3) advances by 1 only",          0x0100, {0xFF, 0x20, 0x00}, {}, 0x5A, 0x1234, 0x0F,                 0x5A, 0x1234, 0x0F,      0x0101, {}, ""},
    {"NOP at $FFFF wraps to $0000",                       0xFFFF, {0x7E},             {}, 0x00, 0x0000, 0,                    0x00, 0x0000, 0,         0x0000, {}, ""},
    {"TXLA at $FFFF wraps to $0000",                      0xFFFF, {0x10},             {}, 0x00, 0x3480, 0,                    0x80, 0x3480, N,         0x0000, {}, ""},
};
// clang-format on

TEST(InstructionsRegistre, OccupentUnOctetEtPositionnentLeursDrapeaux) {
    for (const cas_execution& cas : registres) verifie_cas(cas);
}

} // namespace
