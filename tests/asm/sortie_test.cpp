// What the assembler hands out: the program file that the machine's loader reads, the listing
// and the diagnostic lines.
#include "assembleur.h"
#include "memoire.h"
#include "outils.h"
#include "sortie.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>

namespace {

TEST(Sortie, EnteteDuFichierProgramme) {
    struct cas_fichier {
        const char* source;
        std::vector<uint8_t> fichier;
    };
    const cas_fichier cas[] = {
        {"", {0x00, 0x04, 0x00, 0x00}},
        {"NOP", {0x00, 0x05, 0x00, 0x00, 0x7C}},
        {" ORG $1234\n DB 1,2", {0x00, 0x06, 0x12, 0x34, 0x01, 0x02}},
        {" ORG $FFFF\n DB 7", {0x00, 0x05, 0xFF, 0xFF, 0x07}},
        {" ORG 3\n DB 1\n ORG 1\n DB 2", {0x00, 0x07, 0x00, 0x01, 0x02, 0x00, 0x01}},
    };
    for (const cas_fichier& c : cas) {
        SCOPED_TRACE(c.source);
        EXPECT_EQ(hexa(fichier_programme(assemble(c.source))), hexa(c.fichier));
    }
    // The largest program: the size field reaches 32767, still positive as a signed number.
    std::vector<uint8_t> grand = fichier_programme(assemble(" NOP\n ORG 32762\n NOP"));
    EXPECT_EQ(hexa({grand[0], grand[1], grand[2], grand[3]}), "7F FF 00 00 ");
}

// The machine's own loader puts every byte where the source placed it, and 0 in the gaps.
TEST(Sortie, LeChargeurDeLaMachineLitLeFichier) {
    struct cas_chargement {
        const char* source;
        std::vector<std::pair<uint16_t, uint8_t>> cellules;
    };
    const cas_chargement cas[] = {
        {" ORG 2\n DB 5\n ORG 5\n DB 6",
         {{0, 0x00}, {1, 0x00}, {2, 0x05}, {3, 0x00}, {4, 0x00}, {5, 0x06}, {6, 0x00}}},
        {"debut: LOADI 1\n B debut", {{0, 0x01}, {1, 0x01}, {2, 0x7A}, {3, 0xFF}, {4, 0xFE}}},
        {" ORG $FFFE\n DW $0D0A\n ORG $FFF0\n DB $1A",
         {{0, 0x00}, {0xFFF0, 0x1A}, {0xFFF1, 0x00}, {0xFFFE, 0x0D}, {0xFFFF, 0x0A}}},
    };
    std::string chemin = testing::TempDir() + "quorvel_asm_chargement.bin";
    auto memoire = std::make_unique<mem_64k>();
    capture_console console;
    for (const cas_chargement& c : cas) {
        SCOPED_TRACE(c.source);
        programme_asm programme = assemble(c.source);
        ASSERT_EQ(programme.nb_erreurs, 0) << texte_diagnostics(programme);
        std::vector<uint8_t> fichier = fichier_programme(programme);
        std::ofstream(chemin, std::ios::binary)
            .write(reinterpret_cast<const char*>(fichier.data()),
                   static_cast<std::streamsize>(fichier.size()));
        ASSERT_EQ(memoire->load_binaire(chemin), 1);
        for (const auto& cellule : c.cellules)
            EXPECT_EQ(memoire->read_byte(cellule.first), cellule.second)
                << "adresse " << cellule.first;
    }
    std::remove(chemin.c_str());
}

TEST(Sortie, Listing) {
    const char* source = "; essai\n"
                         "N       EQU $1004\n"
                         "        ORG 0\n"
                         "debut:  LOADI 5         ; cinq\n"
                         "\tSTORE N,X\n"
                         "        B debut\n"
                         "vide:\n"
                         "table:  DB 1, 2, 3, 4, 5, $ff, -1\n"
                         "        DW -2";
    EXPECT_EQ(texte_listing(assemble(source)),
              "                  ; essai\n"
              "1004              N       EQU $1004\n"
              "   0                      ORG 0\n"
              "   0   1  5       debut:  LOADI 5         ; cinq\n"
              "   2   7 10  4            STORE N,X\n"
              "   5  7a ff fb            B debut\n"
              "   8              vide:\n"
              "   8   1  2  3  4 table:  DB 1, 2, 3, 4, 5, $ff, -1\n"
              "   c   5 ff ff\n"
              "   f  ff fe               DW -2\n"
              "\n"
              "symboles\n"
              "1004  constante N\n"
              "   0  etiquette debut\n"
              "   8  etiquette vide\n"
              "   8  etiquette table\n");
}

TEST(Sortie, LignesDeDiagnostic) {
    struct cas_diagnostic {
        diagnostic_asm diagnostic;
        const char* texte;
    };
    const cas_diagnostic cas[] = {
        {{3, true, "mnemonique inconnu: FOO"}, "prog.s:3: mnemonique inconnu: FOO"},
        {{12, false, "BEQ n'est pas indexe: ,X est ignore"},
         "prog.s:12: avertissement: BEQ n'est pas indexe: ,X est ignore"},
        {{0, false, "rien"}, "prog.s: avertissement: rien"},
    };
    for (const cas_diagnostic& c : cas)
        EXPECT_EQ(texte_diagnostic("prog.s", c.diagnostic), c.texte) << c.texte;
}

} // namespace
