// What a source assembles to: the four instruction forms, numbers, names and directives.
#include "assembleur.h"
#include "outils.h"

#include <gtest/gtest.h>

namespace {

struct cas_octets {
    const char* nom;
    const char* source;
    uint16_t base;
    std::vector<uint8_t> octets;
};

void verifie(const cas_octets& cas) {
    SCOPED_TRACE(cas.nom);
    programme_asm programme = assemble(cas.source);
    ASSERT_EQ(programme.nb_erreurs, 0) << texte_diagnostics(programme);
    EXPECT_EQ(programme.base, cas.base);
    EXPECT_EQ(hexa(programme.octets), hexa(cas.octets));
}

TEST(Assembleur, LesQuatreFormesEtLesNombres) {
    const cas_octets cas[] = {
        {"mode 0", "LOAD", 0, {0x00}},
        {"minuscules", "load", 0, {0x00}},
        {"casse melangee", "aDdI 5", 0, {0x25, 0x05}},
        {"mode 1", "ADDI 5", 0, {0x25, 0x05}},
        {"mode 1 negatif", "LOADI -1", 0, {0x01, 0xFF}},
        {"mode 1 non signe", "LOADI 255", 0, {0x01, 0xFF}},
        {"mode 1 plus petit", "LOADI -128", 0, {0x01, 0x80}},
        {"mode 1 hexadecimal", "LOADI $80", 0, {0x01, 0x80}},
        {"mode 2", "LOAD 4096", 0, {0x02, 0x10, 0x00}},
        {"mode 2 hexadecimal", "LOAD $1000", 0, {0x02, 0x10, 0x00}},
        {"hexadecimal minuscule", "LOAD $abCD", 0, {0x02, 0xAB, 0xCD}},
        {"zeros en tete", "LOAD 007", 0, {0x02, 0x00, 0x07}},
        {"hexadecimal negatif", "LOAD -$10", 0, {0x02, 0xFF, 0xF0}},
        {"hexadecimal apres 0x", "LOAD 0x1004", 0, {0x02, 0x10, 0x04}},
        {"hexadecimal apres 0X", "LOAD 0XabCD", 0, {0x02, 0xAB, 0xCD}},
        {"0x negatif", "LOAD -0x10", 0, {0x02, 0xFF, 0xF0}},
        {"0x en mode 1", "LOADI 0xFF", 0, {0x01, 0xFF}},
        {"0x zeros en tete", "LOADI 0x007", 0, {0x01, 0x07}},
        {"0x indexe", "LOAD 0x10,X", 0, {0x03, 0x00, 0x10}},
        {"0x dans DB et DW", " DB 0x80\n DW 0x1234", 0, {0x80, 0x12, 0x34}},
        {"mode 2 negatif", "STORE -16384", 0, {0x06, 0xC0, 0x00}},
        {"mode 2 non signe", "STORE 49152", 0, {0x06, 0xC0, 0x00}},
        {"mode 2 plus grand", "STORE 65535", 0, {0x06, 0xFF, 0xFF}},
        {"mode 3", "LOAD 16,X", 0, {0x03, 0x00, 0x10}},
        {"mode 3 blancs et x minuscule", "LOAD 16 , x", 0, {0x03, 0x00, 0x10}},
        {"mode 3 plus petit", "STORE -32768,X", 0, {0x07, 0x80, 0x00}},
        {"branchement numerique", "BEQ -6", 0, {0x52, 0xFF, 0xFA}},
        {"branchement sur lui-meme", "B 0", 0, {0x7A, 0x00, 0x00}},
        {"branchement mode 0", "BEQ", 0, {0x50}},
        {"branchement mode 1", "BEQI 5", 0, {0x51, 0x05}},
        {"branchement mode 3", "BNE 3,X", 0, {0x57, 0x00, 0x03}},
        {"registre mode 0", "NOP", 0, {0x7C}},
        {"registre mode 1", "TAXLI 5", 0, {0x09, 0x05}},
        {"registre mode 3", "NOP -1,X", 0, {0x7F, 0xFF, 0xFF}},
        {"tabulations et commentaire", "\tLOADI\t5\t; cinq", 0, {0x01, 0x05}},
        {"fins de ligne CRLF", "NOP\r\nLOADI 1\r\n", 0, {0x7C, 0x01, 0x01}},
        {"point-virgule seul", "; rien\n\n   \nNOP", 0, {0x7C}},
        {"source vide", "", 0, {}},
    };
    for (const cas_octets& c : cas) verifie(c);
}

TEST(Assembleur, EtiquettesEtConstantes) {
    const cas_octets cas[] = {
        {"branchement arriere", "boucle: NOP\n B boucle", 0, {0x7C, 0x7A, 0xFF, 0xFF}},
        {"branchement en avant", "B fin\nNOP\nfin: NOP", 0, {0x7A, 0x00, 0x04, 0x7C, 0x7C}},
        {"branchement compte depuis son propre octet", "ici: B ici", 0, {0x7A, 0x00, 0x00}},
        {"branchement indexe vers une etiquette", "B fin,X\nfin: NOP", 0, {0x7B, 0x00, 0x03, 0x7C}},
        {"etiquette en adresse absolue", "LOAD donnee\ndonnee: DB 7", 0, {0x02, 0x00, 0x03, 0x07}},
        {"etiquette indexee", " LOAD table,X\ntable: DB 1", 0, {0x03, 0x00, 0x03, 0x01}},
        {"etiquette seule sur sa ligne", "debut:\n B debut", 0, {0x7A, 0x00, 0x00}},
        {"etiquette sans blanc apres", "debut:NOP", 0, {0x7C}},
        {"etiquettes sensibles a la casse",
         "Fin: NOP\nfin: NOP\n B Fin",
         0,
         {0x7C, 0x7C, 0x7A, 0xFF, 0xFE}},
        {"constante avant usage", "N EQU 5\n ADDI N", 0, {0x25, 0x05}},
        {"constante apres usage", " ADDI N\nN EQU 5", 0, {0x25, 0x05}},
        {"constante avec deux-points", "N: EQU 5\n ADDI N", 0, {0x25, 0x05}},
        {"constante en minuscules", "n equ $1004\n store n", 0, {0x06, 0x10, 0x04}},
        {"constante negative indexee", "M EQU -2\n LOAD M,X", 0, {0x03, 0xFF, 0xFE}},
        {"constante en deplacement, prise telle quelle",
         "DEP EQU 3\n B DEP",
         0,
         {0x7A, 0x00, 0x03}},
        {"constante egale a une etiquette, prise telle quelle",
         "debut: NOP\nALIAS EQU debut\n B ALIAS",
         0,
         {0x7C, 0x7A, 0x00, 0x00}},
        {"etiquette dans DW", " DW fin\nfin: NOP", 0, {0x00, 0x02, 0x7C}},
        {"etiquette dans DB", " DB fin\nfin: NOP", 0, {0x01, 0x7C}},
    };
    for (const cas_octets& c : cas) verifie(c);
}

TEST(Assembleur, OrgDbDw) {
    const cas_octets cas[] = {
        {"DB signes et non signes", " DB 1, -1, $80, 255, -128", 0, {0x01, 0xFF, 0x80, 0xFF, 0x80}},
        {"DW octet haut d'abord",
         " DW $1234, -1, 0, 65535, -32768",
         0,
         {0x12, 0x34, 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x80, 0x00}},
        {"DB sans blancs", " DB 1,2,3", 0, {0x01, 0x02, 0x03}},
        {"trou rempli de 0", " ORG 0\n NOP\n ORG 4\n NOP", 0, {0x7C, 0x00, 0x00, 0x00, 0x7C}},
        {"blocs dans le desordre", " ORG 4\n NOP\n ORG 0\n NOP", 0, {0x7C, 0x00, 0x00, 0x00, 0x7C}},
        {"base la plus basse", " ORG $100\n NOP\n ORG $0FE\n DB 9", 0xFE, {0x09, 0x00, 0x7C}},
        {"ORG en hexadecimal", " ORG $1004\n DB 1", 0x1004, {0x01}},
        {"ORG par une constante", "PORTC EQU $1004\n ORG PORTC\n DB 1", 0x1004, {0x01}},
        {"derniere adresse", " ORG $FFFF\n NOP", 0xFFFF, {0x7C}},
        {"instruction finissant a $FFFF", " ORG $FFFD\n LOAD 1", 0xFFFD, {0x02, 0x00, 0x01}},
        {"etiquette apres ORG", " ORG $20\nici: B ici", 0x20, {0x7A, 0x00, 0x00}},
    };
    for (const cas_octets& c : cas) verifie(c);
}

// The header declares at most 32767 bytes, its own 4 included; the farthest branch of a file
// goes from its first byte to its last.
TEST(Assembleur, TailleMaximaleDuProgramme) {
    struct cas_taille {
        unsigned derniere;
        bool accepte;
    };
    const cas_taille cas[] = {{32762, true}, {32763, false}, {40000, false}};
    for (const cas_taille& c : cas) {
        SCOPED_TRACE(c.derniere);
        programme_asm programme =
            assemble(" B loin\n ORG " + std::to_string(c.derniere) + "\nloin: NOP");
        EXPECT_EQ(programme.nb_erreurs == 0, c.accepte) << texte_diagnostics(programme);
        if (!c.accepte) continue;
        ASSERT_EQ(programme.octets.size(), c.derniere + 1);
        EXPECT_EQ(hexa({programme.octets[0], programme.octets[1], programme.octets[2]}),
                  hexa({0x7A, static_cast<uint8_t>(c.derniere >> 8),
                        static_cast<uint8_t>(c.derniere & 0xFF)}));
    }
}

} // namespace
