// Number texts: the readers give a number for every text, quirks included, and wrap modulo 2^32
// without signed overflow (the sanitizer build runs the overflow rows too).
#include "stringpp.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Stringpp, StoloruhexAvecLePrefixeDollar) {
    struct cas {
        const char* nom;
        std::string texte;
        int32_t valeur;
    };
    const cas table[] = {
        {"decimal", "10", 10},
        {"hexadecimal", "$10", 16},
        {"lower case", "$ff", 255},
        {"upper case", "$FF", 255},
        {"prefix alone", "$", 0},
        {"empty", "", 0},
        {"text before the prefix", "x$1F", 31},
        {"blank inside", "$1 F", 271},
        {"trailing blank", "$1F ", 496},
        {"all bits set", "$FFFFFFFF", -1},
        {"nine digits", "$1FFFFFFFF", -1},
        {"negative decimal", "-12", -12},
        {"minus alone", "-", 0},
        {"plus sign", "+5", -45},
        {"letter after digits", "12a", 169},
        {"decimal, trailing blank", "5 ", 34},
        {"decimal overflow", "2147483648", INT32_MIN},
        {"second prefix counts as a 0", "$1$2", 0x102},
        {"only the first prefix starts the reading", "a$b$c", 0xB0C},
    };
    for (const cas& c : table) EXPECT_EQ(Stoloruhex("$", c.texte), c.valeur) << c.nom;
}

TEST(Stringpp, StoloruhexSansPrefixeOuAvecUnPrefixeLong) {
    struct cas {
        const char* nom;
        std::string prefixe;
        std::string texte;
        int32_t valeur;
    };
    const cas table[] = {
        {"empty prefix reads the whole text as hexadecimal", "", "10", 16},
        {"empty prefix, empty text", "", "", 0},
        {"0x prefix read as digits 0 and 0", "0x", "1a0x1F", 0x1F},
        {"two-character prefix not found: decimal", "0x", "123", 123},
    };
    for (const cas& c : table) EXPECT_EQ(Stoloruhex(c.prefixe, c.texte), c.valeur) << c.nom;
}

TEST(Stringpp, StolLitChaqueCaractereCommeUnChiffre) {
    struct cas {
        const char* nom;
        std::string texte;
        int32_t valeur;
    };
    const cas table[] = {
        {"empty", "", 0},
        {"digits", "2147483647", INT32_MAX},
        {"minus zero", "-0", 0},
        {"overflow wraps", "2147483648", INT32_MIN},
        {"2^32 wraps to 0", "4294967296", 0},
        {"eleven digits", "99999999999", 1215752191},
        {"most negative", "-2147483648", INT32_MIN},
        {"below the most negative wraps", "-2147483649", INT32_MAX},
        {"code $C3 counts as -61", "\xC3", -109},
        {"code $FF after a digit", "1\xFF", -39},
        {"plus sign", "+5", -45},
    };
    for (const cas& c : table) EXPECT_EQ(Stol(c.texte), c.valeur) << c.nom;
}

TEST(Stringpp, StouhexLitLesHuitDerniersChiffres) {
    struct cas {
        const char* nom;
        std::string texte;
        uint32_t valeur;
    };
    const cas table[] = {
        {"empty", "", 0},
        {"10", "10", 16},
        {"not a digit", "g", 0},
        {"all bits", "FFFFFFFF", 0xFFFFFFFFu},
        {"nine digits lose the first", "123456789", 0x23456789u},
        {"mixed case", "aBcD", 0xABCD},
        {"x counts as 0", "0x1A", 0x1A},
        {"dollar counts as 0", "$ff", 0xFF},
        {"code $80 counts as 0", "1\x80", 0x10},
    };
    for (const cas& c : table) EXPECT_EQ(Stouhex(c.texte), c.valeur) << c.nom;
}

TEST(Stringpp, MyAfterGardeLaFinDepuisLaPosition) {
    struct cas {
        std::string texte;
        int position;
        std::string fin;
    };
    const cas table[] = {
        {"ab$12", 2, "$12"}, {"abc", 0, "abc"}, {"abc", 2, "c"}, {"abc", 3, ""}, {"", 0, ""},
    };
    for (const cas& c : table)
        EXPECT_EQ(my_after(c.texte, c.position), c.fin) << c.texte << " at " << c.position;
}

TEST(Stringpp, Bin8toSMontreLesBits7A0) {
    struct cas {
        int32_t valeur;
        std::string texte;
    };
    const cas table[] = {
        {5, "00000101"},     {255, "11111111"},  {-1, "11111111"},
        {256, "00000000"},   {0x80, "10000000"}, {-128, "10000000"},
        {0x1A5, "10100101"}, {0, "00000000"},    {INT32_MIN, "00000000"},
    };
    for (const cas& c : table) EXPECT_EQ(bin8toS(c.valeur), c.texte) << c.valeur;
}

TEST(Stringpp, Unslong2SEcritLesChiffresDecimaux) {
    struct cas {
        uint32_t valeur;
        std::string texte;
    };
    const cas table[] = {
        {0, "0"}, {7, "7"}, {10, "10"}, {1000000, "1000000"}, {4294967295u, "4294967295"},
    };
    for (const cas& c : table) EXPECT_EQ(unslong2S(c.valeur), c.texte) << c.valeur;
}

} // namespace
