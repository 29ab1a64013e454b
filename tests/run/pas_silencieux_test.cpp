// The silent step of the session (no console, no link) skips the ports' react_in: it must leave
// exactly the state that the window's full step leaves (instruction, react_out, react_in), also
// for programs that store into the ports' cells and while switches change.
#include "assembleur.h"
#include "console.h"
#include "machine.h"
#include "sortie.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct cas_pas {
    const char* nom;
    const char* source;
    int pas;
};

// clang-format off
const cas_pas programmes[] = {
    {"sorties de A et C ecrites", "debut: LOADI $FF\nSTORE $1000\nSTORE $1004\nLOADI 0\nSTORE $1000\n"
                                  "LOAD $1000\nSTORE $30\nB debut\n", 64},
    {"entrees de B ecrites puis lues", "debut: LOADI $5A\nSTORE $1002\nLOAD $1002\nSTORE $31\n"
                                       "ADDI 1\nB debut\n", 64},
    {"ports ecrits en indexe", "LOADI $10\nTAXH\nLOADI 0\nTAXL\nboucle: TXLA\nSTORE 0,X\nADDI 1\n"
                               "TAXL\nCMPI 6\nBNE boucle\nfin: B fin\n", 64},
};
// clang-format on

void compare(const machine& a, const machine& b) {
    EXPECT_EQ(a.inter.A_value(), b.inter.A_value());
    EXPECT_EQ(a.inter.X_value(), b.inter.X_value());
    EXPECT_EQ(a.inter.PC_value(), b.inter.PC_value());
    EXPECT_EQ(a.inter.CCR_value(), b.inter.CCR_value());
    for (int p = 0; p < NB_PORTS; ++p) EXPECT_EQ(a.ports[p].valeur, b.ports[p].valeur) << p;
    for (uint32_t adresse = 0; adresse < 0x10000; ++adresse)
        if (a.memoire.mem[adresse] != b.memoire.mem[adresse]) {
            ADD_FAILURE() << "cell " << adresse;
            return;
        }
}

TEST(PasSilencieux, CommeLePasCompletDeLaFenetre) {
    console_vers_rien();
    for (const cas_pas& c : programmes) {
        SCOPED_TRACE(c.nom);
        programme_asm p = assemble(c.source);
        ASSERT_EQ(p.nb_erreurs, 0);
        auto silencieux = std::make_unique<machine>();
        auto complet = std::make_unique<machine>();
        for (machine* m : {silencieux.get(), complet.get()}) {
            m->charge_octets(fichier_programme(p));
            m->reagit_entrees(-1, -1);
        }
        for (int n = 1; n <= c.pas; ++n) {
            silencieux->pas();
            complet->execute_instruction();
            complet->reagit_sorties();
            complet->reagit_entrees(-1, -1);
            // Now and then, switches flipped between two steps, so that the steps meet inputs.
            if (n % 8 == 0)
                for (machine* m : {silencieux.get(), complet.get()}) {
                    m->ports[0].inverse_entree((n / 8) % 3);
                    m->ports[1].inverse_entree((n / 8) % 8);
                    m->reagit_entrees(-1, -1);
                }
            compare(*silencieux, *complet);
            if (HasFailure()) break;
        }
    }
    console_vers_erreur_standard();
}

} // namespace
