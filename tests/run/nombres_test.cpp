// The one number grammar of quorvel-run: decimal without a leading zero, hexadecimal after 0x
// or $, never a sign, never more than the field holds.
#include "nombres_run.h"

#include <gtest/gtest.h>

namespace {

struct cas_nombre {
    const char* texte;
    uint64_t maximum;
    lecture_nombre attendu;
    uint64_t valeur;
};

// clang-format off
const cas_nombre nombres[] = {
    {"0",                    255,       NOMBRE_LU,         0},
    {"7",                    255,       NOMBRE_LU,         7},
    {"255",                  255,       NOMBRE_LU,         255},
    {"256",                  255,       NOMBRE_TROP_GRAND, 0},
    {"0x1000",               0xFFFF,    NOMBRE_LU,         0x1000},
    {"0XfF",                 255,       NOMBRE_LU,         255},
    {"$1000",                0xFFFF,    NOMBRE_LU,         0x1000},
    {"$0010",                0xFFFF,    NOMBRE_LU,         0x10},   // zeros lead hex digits freely
    {"0x0",                  0xFFFF,    NOMBRE_LU,         0},
    {"$FFFF",                0xFFFF,    NOMBRE_LU,         0xFFFF},
    {"$10000",               0xFFFF,    NOMBRE_TROP_GRAND, 0},
    {"1000000000000",        1000000000000, NOMBRE_LU,     1000000000000},
    {"18446744073709551616", 1000000000000, NOMBRE_TROP_GRAND, 0}, // past 64 bits
    {"0xFFFFFFFFFFFFFFFFF",  1000000000000, NOMBRE_TROP_GRAND, 0},
    {"010",                  255,       NOMBRE_MALFORME,   0},      // octal in C: refused
    {"00",                   255,       NOMBRE_MALFORME,   0},
    {"-1",                   255,       NOMBRE_MALFORME,   0},
    {"+1",                   255,       NOMBRE_MALFORME,   0},
    {"-$10",                 255,       NOMBRE_MALFORME,   0},
    {"",                     255,       NOMBRE_MALFORME,   0},
    {"$",                    255,       NOMBRE_MALFORME,   0},
    {"0x",                   255,       NOMBRE_MALFORME,   0},
    {"12x",                  255,       NOMBRE_MALFORME,   0},
    {"0x1g",                 255,       NOMBRE_MALFORME,   0},
    {"$0x10",                255,       NOMBRE_MALFORME,   0},
    {" 1",                   255,       NOMBRE_MALFORME,   0},
    {"1 ",                   255,       NOMBRE_MALFORME,   0},
    {"9999999999999999999999x", 255,    NOMBRE_MALFORME,   0},      // malformed wins over size
    {"1e3",                  100000,    NOMBRE_MALFORME,   0},
};
// clang-format on

TEST(NombresRun, Grammaire) {
    for (const cas_nombre& c : nombres) {
        SCOPED_TRACE(std::string("\"") + c.texte + "\"");
        uint64_t valeur = 12345;
        EXPECT_EQ(lit_nombre_run(c.texte, c.maximum, valeur), c.attendu);
        if (c.attendu == NOMBRE_LU)
            EXPECT_EQ(valeur, c.valeur);
        else
            EXPECT_EQ(valeur, 12345u) << "a refused text leaves the value alone";
    }
}

TEST(NombresRun, MessageNommeLOption) {
    EXPECT_EQ(message_nombre("--pas", "012", NOMBRE_MALFORME, 10),
              "--pas: \"012\" n'est pas un nombre (decimal sans zero en tete, ou hexadecimal "
              "apres 0x ou $)");
    EXPECT_EQ(message_nombre("--memoire", "300", NOMBRE_TROP_GRAND, 255),
              "--memoire: 300 depasse 255");
}

} // namespace
