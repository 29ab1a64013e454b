// What the assembler refuses, and says, with the line it says it about.
#include "assembleur.h"
#include "outils.h"

#include <gtest/gtest.h>

namespace {

struct attendu_diagnostic {
    int ligne;
    std::string message;
};

std::string texte(const std::vector<attendu_diagnostic>& diagnostics) {
    std::string t;
    for (const attendu_diagnostic& d : diagnostics)
        t += std::to_string(d.ligne) + ": " + d.message + "\n";
    return t;
}

std::string texte(const std::vector<diagnostic_asm>& diagnostics) {
    std::string t;
    for (const diagnostic_asm& d : diagnostics)
        t += std::to_string(d.ligne) + ": " + d.message + "\n";
    return t;
}

struct cas_erreur {
    const char* source;
    std::vector<attendu_diagnostic> erreurs;
};

TEST(Erreurs, ChaqueMessageAvecSaLigne) {
    const cas_erreur cas[] = {
        // mnemonics and forms
        {"FOO 5", {{1, "mnemonique inconnu: FOO"}}},
        {"NOP\nLOADX 5", {{2, "mnemonique inconnu: LOADX"}}},
        {"NOP\n\n I 5", {{3, "mnemonique inconnu: I"}}},
        {"LOADI", {{1, "operande manquant apres LOADI"}}},
        {"LOADI 5,X", {{1, "operande mal forme: 5,X"}}},
        {"LOAD 5,Y", {{1, "operande mal forme: 5,Y"}}},
        {"LOAD 5,", {{1, "operande mal forme: 5,"}}},
        {"LOAD 1,2,X", {{1, "operande mal forme: 1,2,X"}}},
        {"LOAD ,X", {{1, "operande manquant avant ,X"}}},
        // numbers
        {"LOAD 12x", {{1, "nombre mal forme: 12x"}}},
        {"LOAD $", {{1, "nombre mal forme: $"}}},
        {"LOAD $G1", {{1, "nombre mal forme: $G1"}}},
        {"LOAD 0x", {{1, "nombre mal forme: 0x"}}},
        {"LOAD 0xG1", {{1, "nombre mal forme: 0xG1"}}},
        {"LOAD 0x-5", {{1, "nombre mal forme: 0x-5"}}},
        {"LOAD $0x10", {{1, "nombre mal forme: $0x10"}}},
        {"LOAD 0$10", {{1, "nombre mal forme: 0$10"}}},
        {"LOAD 00x10", {{1, "nombre mal forme: 00x10"}}},
        {"LOAD x10", {{1, "etiquette non definie: x10"}}},
        {"LOAD --5", {{1, "nombre mal forme: --5"}}},
        {"LOAD -", {{1, "nombre mal forme: -"}}},
        {"LOAD $-5", {{1, "nombre mal forme: $-5"}}},
        {"LOAD 1 2", {{1, "nombre mal forme: 1 2"}}},
        {"LOAD +5", {{1, "operande mal forme: +5"}}},
        {"LOAD a+1", {{1, "operande mal forme: a+1"}}},
        // ranges, by field
        {"LOADI 256", {{1, "operande du mode immediat hors limites: 256 (de -128 a 255)"}}},
        {"LOADI -129", {{1, "operande du mode immediat hors limites: -129 (de -128 a 255)"}}},
        {"LOADI $100", {{1, "operande du mode immediat hors limites: $100 (de -128 a 255)"}}},
        {"LOADI 0x100", {{1, "operande du mode immediat hors limites: 0x100 (de -128 a 255)"}}},
        {"N EQU 300\n ADDI N",
         {{2, "operande du mode immediat hors limites: N = 300 (de -128 a 255)"}}},
        {" DB table\n ORG $100\ntable: NOP",
         {{1, "octet hors limites: table = 256 (de -128 a 255)"}}},
        {"LOAD 65536", {{1, "operande de 16 bits hors limites: 65536 (de -32768 a 65535)"}}},
        {"LOAD -32769,X", {{1, "operande de 16 bits hors limites: -32769 (de -32768 a 65535)"}}},
        {"LOAD 99999999999999999999",
         {{1, "operande de 16 bits hors limites: 99999999999999999999 (de -32768 a 65535)"}}},
        {"B 65536", {{1, "operande de 16 bits hors limites: 65536 (de -32768 a 65535)"}}},
        {" DB 256", {{1, "octet hors limites: 256 (de -128 a 255)"}}},
        {" DB 1, -129, 300",
         {{1, "octet hors limites: -129 (de -128 a 255)"},
          {1, "octet hors limites: 300 (de -128 a 255)"}}},
        {" DW 65536", {{1, "mot hors limites: 65536 (de -32768 a 65535)"}}},
        {"N EQU 70000\n LOAD N", {{1, "constante hors limites: 70000 (de -32768 a 65535)"}}},
        {" ORG -1", {{1, "adresse hors limites: -1 (de 0 a 65535)"}}},
        {" ORG 65536", {{1, "adresse hors limites: 65536 (de 0 a 65535)"}}},
        // names
        {"B nulle_part", {{1, "etiquette non definie: nulle_part"}}},
        {" DW absent", {{1, "etiquette non definie: absent"}}},
        {"a: NOP\na: NOP", {{2, "etiquette deja definie ligne 1: a"}}},
        {"N EQU 1\nN: NOP", {{2, "etiquette deja definie ligne 1: N"}}},
        {"load: NOP", {{1, "nom reserve: load"}}},
        {"ADDI EQU 5", {{1, "nom reserve: ADDI"}}},
        {"org: NOP", {{1, "nom reserve: org"}}},
        {"1a: NOP", {{1, "nom mal forme: 1a"}}},
        {" ORG fin\nfin: NOP", {{1, "etiquette non definie avant cette ligne: fin"}}},
        {"N EQU M\nM EQU 1", {{1, "etiquette non definie avant cette ligne: M"}}},
        // directives
        {" ORG", {{1, "valeur manquante apres ORG"}}},
        {" ORG 1, 2", {{1, "ORG attend une seule valeur: 1, 2"}}},
        {" EQU 5", {{1, "EQU sans nom de constante"}}},
        {"N EQU", {{1, "valeur manquante apres EQU"}}},
        {" DB", {{1, "valeur manquante dans DB"}}},
        {" DW 1,,2", {{1, "valeur manquante dans DW"}}},
        // placement
        {" ORG 0\n LOAD 1\n ORG 2\n NOP", {{4, "chevauchement avec la ligne 2 a l'adresse $0002"}}},
        {" ORG $FFFE\n LOAD 1", {{2, "le programme depasse l'adresse $FFFF"}}},
        {" ORG 0\n NOP\n ORG 32763\n NOP",
         {{4, "programme trop grand: 32764 octets de $0000 a $7FFB (32763 au plus)"}}},
        // the refused branch places nothing, so the file is not too large as well
        {" B loin\n ORG $9000\nloin: NOP",
         {{1, "deplacement hors limites: 36864 vers loin (de -32768 a 32767)"}}},
        {"ici: NOP\n ORG $9000\n B ici",
         {{3, "deplacement hors limites: -36864 vers ici (de -32768 a 32767)"}}},
    };
    for (const cas_erreur& c : cas) {
        SCOPED_TRACE(c.source);
        programme_asm programme = assemble(c.source);
        EXPECT_EQ(texte(erreurs_de(programme)), texte(c.erreurs));
        EXPECT_EQ(programme.nb_erreurs, static_cast<int>(c.erreurs.size()));
    }
}

std::string liste_de_zeros(int nombre) {
    std::string liste = "0";
    for (int i = 1; i < nombre; ++i) liste += ", 0";
    return liste;
}

// A line refused for overlapping places none of its bytes: the image holds only what the other
// lines placed, wherever the refused line starts and however long it is.
TEST(Erreurs, UneLigneQuiChevaucheNePlaceRien) {
    struct cas_chevauchement {
        const char* nom;
        std::string source;
        std::string erreur;
        uint16_t base;
        std::vector<uint8_t> octets;
    };
    const cas_chevauchement cas[] = {
        {"mot sur le dernier octet",
         "ORG 0\ndebut: DB 1\nORG 0\nDW $4142\n",
         "4: chevauchement avec la ligne 2 a l'adresse $0000\n",
         0,
         {0x01}},
        {"mot qui commence avant l'image",
         "ORG 1\nDB 1\nORG 0\nDW $FFFF\n",
         "4: chevauchement avec la ligne 2 a l'adresse $0001\n",
         1,
         {0x01}},
        {"instruction au milieu",
         " ORG 0\n DB 1, 2, 3\n ORG 2\n LOAD $4142",
         "4: chevauchement avec la ligne 2 a l'adresse $0002\n",
         0,
         {0x01, 0x02, 0x03}},
        {"longue ligne avant et apres l'image",
         " ORG 10\n DB 7\n ORG 0\n DB " + liste_de_zeros(100),
         "4: chevauchement avec la ligne 2 a l'adresse $000A\n",
         10,
         {0x07}},
    };
    for (const cas_chevauchement& c : cas) {
        SCOPED_TRACE(c.nom);
        programme_asm programme = assemble(c.source);
        EXPECT_EQ(texte(erreurs_de(programme)), c.erreur);
        EXPECT_EQ(programme.base, c.base);
        EXPECT_EQ(hexa(programme.octets), hexa(c.octets));
    }
}

TEST(Erreurs, ToutesLesErreursDuFichierEnUneFois) {
    programme_asm programme = assemble("debut: FOO\n"
                                       "        LOADI 300\n"
                                       "        B debut\n"
                                       "        B ailleurs\n"
                                       "debut:  NOP\n");
    EXPECT_EQ(texte(erreurs_de(programme)),
              "1: mnemonique inconnu: FOO\n"
              "2: operande du mode immediat hors limites: 300 (de -128 a 255)\n"
              "4: etiquette non definie: ailleurs\n"
              "5: etiquette deja definie ligne 1: debut\n");
}

struct cas_avertissement {
    const char* source;
    std::vector<attendu_diagnostic> avertissements;
};

// Forms that assemble, since the disassembler shows them, but do not run as they read.
TEST(Erreurs, AvertissementsSansErreur) {
    const cas_avertissement cas[] = {
        {"LOAD", {{1, "LOAD n'accepte pas le mode inherent: l'execution n'affiche qu'un message"}}},
        {"STOREI 5",
         {{1, "STORE n'accepte pas le mode immediat: l'execution n'affiche qu'un message"}}},
        {"NOP -1,X", {{1, "NOP n'a pas d'operande: l'execution reprend sur l'octet qui suit NOP"}}},
        {"TAXLI 5",
         {{1, "TAXL n'a pas d'operande: l'execution reprend sur l'octet qui suit TAXL"}}},
        {"BEQ",
         {{1, "BEQ sans deplacement de 16 bits: l'execution prend les deux octets suivants"}}},
        {"BNEI 5",
         {{1, "BNE sans deplacement de 16 bits: l'execution prend les deux octets suivants"}}},
        {"BEQ -6,X", {{1, "BEQ n'est pas indexe: ,X est ignore"}}},
        {" ORG 1\n NOP", {{0, "rien n'est place a l'adresse 0, ou le programme demarre"}}},
        {"", {{0, "rien n'est place a l'adresse 0, ou le programme demarre"}}},
        {"LOADI 5\nNOP\nBEQ 3\nSTORE 5,X\nLOAD 1\nTXLA", {}},
        {" ORG 0\n DB 0", {}},
    };
    for (const cas_avertissement& c : cas) {
        SCOPED_TRACE(c.source);
        programme_asm programme = assemble(c.source);
        EXPECT_EQ(programme.nb_erreurs, 0);
        EXPECT_EQ(texte(programme.diagnostics), texte(c.avertissements));
    }
}

} // namespace
