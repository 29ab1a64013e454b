// The assembler is the inverse of the disassembler: every text that the disassembly view can show
// assembles back to the bytes it was read from.
#include "assembleur.h"
#include "interpreteur.h"
#include "memoire.h"
#include "outils.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

namespace {

struct paire_operande {
    uint8_t premier;
    uint8_t second;
};

// The edges of the signed readings (the disassembler shows bytes from -128 and words from -32768)
// and a few ordinary values.
const paire_operande PAIRES[] = {
    {0x00, 0x00}, {0x00, 0x01}, {0x7F, 0xFF}, {0x80, 0x00}, {0xFF, 0xFF},
    {0x00, 0x80}, {0x7F, 0x7F}, {0x80, 0x01}, {0x12, 0x34}, {0xFF, 0x80},
};

// Address 0 is where programs start; $FFFD is the last place a 3-byte instruction fits.
const uint16_t ADRESSES[] = {0x0000, 0x1004, 0x8000, 0xFFFD};

TEST(AllerRetour, ChaqueTexteDuDesassembleurSeReassembleEnSesOctets) {
    auto memoire = std::make_unique<mem_64k>();
    mac_interpreteur machine;
    machine.learn_mem(memoire.get());
    capture_console console;
    for (uint16_t adresse : ADRESSES) {
        for (int octet = 0; octet < 256; ++octet) {
            for (const paire_operande& paire : PAIRES) {
                memoire->write_byte(adresse, static_cast<uint8_t>(octet));
                memoire->write_byte(static_cast<uint16_t>(adresse + 1), paire.premier);
                memoire->write_byte(static_cast<uint16_t>(adresse + 2), paire.second);
                char texte[81];
                uint16_t suivante = machine.desassemblage_instruction(adresse, texte);
                size_t longueur = static_cast<uint16_t>(suivante - adresse);
                // Bit 7 is ignored by decoding, so the assembler writes the byte without it.
                std::vector<uint8_t> attendu = {static_cast<uint8_t>(octet & 0x7F), paire.premier,
                                                paire.second};
                attendu.resize(longueur);

                char source[120];
                std::snprintf(source, sizeof source, "        ORG %u\n        %s\n", adresse,
                              texte);
                programme_asm programme = assemble(source);

                SCOPED_TRACE(testing::Message()
                             << "adresse " << adresse << ", octets "
                             << hexa({static_cast<uint8_t>(octet), paire.premier, paire.second})
                             << "-> \"" << texte << "\"");
                ASSERT_EQ(programme.nb_erreurs, 0) << texte_diagnostics(programme);
                EXPECT_EQ(programme.base, adresse);
                EXPECT_EQ(hexa(programme.octets), hexa(attendu));
            }
        }
    }
}

} // namespace
