// The example programs, as the build assembled them, run on the machine.
#include "assembleur.h"
#include "fichiers.h"
#include "interpreteur.h"
#include "memoire.h"
#include "outils.h"
#include "sortie.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// The value registers of the ports: B is all switches, C all LEDs.
constexpr uint16_t PORT_B = 0x1002;
constexpr uint16_t PORT_C = 0x1004;

const char* const EXEMPLES[] = {"compteur",    "interrupteurs", "multiplication",
                                "somme_table", "chenillard",    "attente"};

struct registres {
    uint8_t A;
    uint16_t X;
    uint8_t CCR;
};

// A load resets only PC: each program must set what it relies on, whatever the registers held.
const registres DEPARTS[] = {{0xA5, 0x1234, 0x0F}, {0xFF, 0xFFFF, 0x0B}};

std::string source_de(const std::string& nom) {
    std::string texte;
    std::string raison;
    EXPECT_TRUE(lit_entree(std::string(EXEMPLES_SOURCES) + "/" + nom + ".s", texte, raison))
        << raison;
    return texte;
}

// The machine as the simulator holds it after "Ouvrir fichier binaire".
class ExempleTest : public testing::Test {
  public:
    std::unique_ptr<mem_64k> memoire = std::make_unique<mem_64k>();
    mac_interpreteur machine;
    programme_asm programme; // the same source assembled here, for its symbols
    uint8_t interrupteurs = 0;
    capture_console console;

    void charge(const std::string& nom, const registres& depart) {
        machine.learn_mem(memoire.get());
        ASSERT_EQ(memoire->load_binaire(std::string(EXEMPLES_BINAIRES) + "/" + nom + ".bin"), 1);
        programme = assemble(source_de(nom));
        // After a load, port C's own image of its LEDs is still all on; the port writes it back
        // into its cell until the program stores there.
        memoire->write_byte(PORT_C, 0xFF);
        machine.A = depart.A;
        machine.X = depart.X;
        machine.CCR = depart.CCR;
        machine.init_registers();
    }

    uint16_t adresse(const std::string& nom) {
        const symbole_asm* symbole = cherche_symbole(programme, nom);
        EXPECT_NE(symbole, nullptr) << nom;
        return symbole ? static_cast<uint16_t>(symbole->valeur) : 0;
    }

    // Port B rewrites its switches into its cell around every instruction.
    void pas() {
        memoire->write_byte(PORT_B, interrupteurs);
        machine.step();
        memoire->write_byte(PORT_B, interrupteurs);
    }

    bool execute_jusqu_a(uint16_t cible, int pas_max) {
        for (int n = 0; n < pas_max && machine.PC != cible; ++n) pas();
        return machine.PC == cible;
    }

    // The values that the program stores into port C, in order.
    std::vector<uint8_t> valeurs_port_c(size_t nombre, int pas_max) {
        std::vector<uint8_t> valeurs;
        for (int n = 0; n < pas_max && valeurs.size() < nombre; ++n) {
            uint16_t pc = machine.PC;
            bool ecrit = (memoire->read_byte(pc) & 0x7F) == 0x06 &&
                         memoire->read_word(static_cast<uint16_t>(pc + 1)) == PORT_C;
            pas();
            if (ecrit) valeurs.push_back(memoire->read_byte(PORT_C));
        }
        return valeurs;
    }

    void TearDown() override {
        // A refused mode would mean the program does not do what its text says.
        EXPECT_EQ(console.texte().find("anormal"), std::string::npos);
    }
};

TEST_F(ExempleTest, LeFichierConstruitEstCeluiDeLaSource) {
    for (const char* nom : EXEMPLES) {
        SCOPED_TRACE(nom);
        programme_asm p = assemble(source_de(nom));
        EXPECT_EQ(texte_diagnostics(p), "");
        EXPECT_EQ(p.base, 0);
        std::string construit;
        std::string raison;
        ASSERT_TRUE(
            lit_entree(std::string(EXEMPLES_BINAIRES) + "/" + nom + ".bin", construit, raison))
            << raison;
        std::vector<uint8_t> attendu = fichier_programme(p);
        EXPECT_EQ(construit, std::string(attendu.begin(), attendu.end()));
    }
}

TEST_F(ExempleTest, CompteurSurLePortC) {
    for (const registres& depart : DEPARTS) {
        SCOPED_TRACE(testing::Message() << "A " << int(depart.A));
        charge("compteur", depart);
        std::vector<uint8_t> valeurs = valeurs_port_c(260, 20000);
        ASSERT_EQ(valeurs.size(), 260u);
        for (size_t i = 0; i < valeurs.size(); ++i)
            ASSERT_EQ(valeurs[i], static_cast<uint8_t>(i)) << "valeur " << i;
    }
}

TEST_F(ExempleTest, InterrupteursRecopiesSurLesLed) {
    const uint8_t positions[] = {0x00, 0x01, 0x80, 0xA5, 0xFF, 0x3C, 0x00};
    for (const registres& depart : DEPARTS) {
        charge("interrupteurs", depart);
        for (uint8_t position : positions) {
            SCOPED_TRACE(testing::Message() << "interrupteurs " << int(position));
            interrupteurs = position;
            for (int n = 0; n < 6; ++n) pas(); // two turns of the loop
            EXPECT_EQ(memoire->read_byte(PORT_C), position);
        }
    }
}

TEST_F(ExempleTest, MultiplicationParAdditionsVerifieeParMul) {
    struct facteurs {
        uint8_t a;
        uint8_t b;
    };
    const facteurs cas[] = {{13, 11}, {0, 0},     {0, 7},   {7, 0},  {1, 1},
                            {16, 16}, {255, 255}, {7, 200}, {200, 7}};
    for (const facteurs& c : cas) {
        for (const registres& depart : DEPARTS) {
            SCOPED_TRACE(testing::Message() << int(c.a) << " x " << int(c.b));
            charge("multiplication", depart);
            memoire->write_byte(adresse("facteur1"), c.a);
            memoire->write_byte(adresse("facteur2"), c.b);
            ASSERT_TRUE(execute_jusqu_a(adresse("fin"), 5000));
            uint8_t produit = static_cast<uint8_t>(c.a * c.b);
            EXPECT_EQ(memoire->read_byte(adresse("somme")), produit);
            EXPECT_EQ(memoire->read_byte(adresse("produit")), produit);
            EXPECT_EQ(memoire->read_byte(adresse("identiques")), 1);
            EXPECT_EQ(memoire->read_byte(PORT_C), produit);
        }
    }
}

TEST_F(ExempleTest, SommeDUneTableEnAdressageIndexe) {
    struct table {
        const char* nom;
        std::vector<uint8_t> octets; // empty: the table of the source
        uint8_t somme;
    };
    const table cas[] = {
        {"table du source", {}, static_cast<uint8_t>(3 + 14 + 15 + 92 + 65 + 35 + 89 + 79)},
        {"zeros", {0, 0, 0, 0, 0, 0, 0, 0}, 0},
        {"1 a 8", {1, 2, 3, 4, 5, 6, 7, 8}, 36},
        {"modulo 256", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 0xF8},
        {"dernier octet seul", {0, 0, 0, 0, 0, 0, 0, 9}, 9},
    };
    for (const table& c : cas) {
        for (const registres& depart : DEPARTS) {
            SCOPED_TRACE(c.nom);
            charge("somme_table", depart);
            for (size_t i = 0; i < c.octets.size(); ++i)
                memoire->write_byte(static_cast<uint16_t>(adresse("table") + i), c.octets[i]);
            ASSERT_TRUE(execute_jusqu_a(adresse("fin"), 1000));
            EXPECT_EQ(memoire->read_byte(adresse("somme")), c.somme);
            EXPECT_EQ(memoire->read_byte(PORT_C), c.somme);
            EXPECT_EQ(machine.X, 8);
        }
    }
}

TEST_F(ExempleTest, ChenillardAllerEtRetour) {
    const uint8_t aller_retour[] = {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40,
                                    0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02};
    for (const registres& depart : DEPARTS) {
        charge("chenillard", depart);
        std::vector<uint8_t> valeurs = valeurs_port_c(3 * 14 + 1, 20000);
        ASSERT_EQ(valeurs.size(), 3u * 14 + 1);
        for (size_t i = 0; i < valeurs.size(); ++i)
            ASSERT_EQ(valeurs[i], aller_retour[i % 14]) << "position " << i;
    }
}

TEST_F(ExempleTest, AttenteDUnInterrupteur) {
    struct phase {
        const char* nom;
        uint8_t interrupteurs;
        int pas;
        bool attend;
        uint8_t led;
    };
    const phase phases[] = {
        {"tout en bas", 0x00, 200, true, 0x00},
        {"tous sauf le 0", 0xFE, 200, true, 0x00},
        {"interrupteur 0", 0x01, 20, false, 0xFF},
        {"puis relache", 0x00, 20, false, 0xFF},
    };
    for (const registres& depart : DEPARTS) {
        charge("attente", depart);
        for (const phase& p : phases) {
            SCOPED_TRACE(p.nom);
            interrupteurs = p.interrupteurs;
            console.efface();
            for (int n = 0; n < p.pas; ++n) pas();
            EXPECT_EQ(machine.PC == adresse("fin"), !p.attend);
            EXPECT_EQ(memoire->read_byte(PORT_C), p.led);
            std::string lignes = console.texte();
            if (p.attend) {
                // The console shows the waiting: BNE says "non egalite!" at every turn.
                EXPECT_NE(lignes.find("non egalite!\n"), std::string::npos);
                EXPECT_EQ(lignes.find("\negalite!\n"), std::string::npos);
            }
        }
    }
}

} // namespace
