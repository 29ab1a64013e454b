// Step back in the machine session: programs run with edits between their steps, then undone one
// instruction at a time; after each undo the whole machine must equal the copy taken just before
// that instruction. Then the memory budget and the new history of a load.
#include "machine.h"

#include "../commun/capture_console.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// A program file: size (header included) and base address, big-endian, then the bytes.
std::vector<uint8_t> programme(uint16_t base, const std::vector<uint8_t>& octets) {
    size_t taille = octets.size() + 4;
    std::vector<uint8_t> fichier = {uint8_t(taille >> 8), uint8_t(taille), uint8_t(base >> 8),
                                    uint8_t(base)};
    fichier.insert(fichier.end(), octets.begin(), octets.end());
    return fichier;
}

// LOAD $40 / ADDI 1 / STORE $40 / BNE -8 / B -11: a STORE at every turn.
const std::vector<uint8_t> COMPTEUR = programme(
    0, {0x02, 0x00, 0x40, 0x25, 0x01, 0x06, 0x00, 0x40, 0x56, 0xFF, 0xF8, 0x7A, 0xFF, 0xF5});
// LOADI $55 / STORE $1004 / LOADI $AA / STORE $1004 / B -10: writes the lights of port C.
const std::vector<uint8_t> LUMIERES =
    programme(0, {0x01, 0x55, 0x06, 0x10, 0x04, 0x01, 0xAA, 0x06, 0x10, 0x04, 0x7A, 0xFF, 0xF6});
// LOAD $1002 / CMPI 1 / BNE -5 / B -8: reads the switches of port B.
const std::vector<uint8_t> INTERRUPTEUR =
    programme(0, {0x02, 0x10, 0x02, 0x2D, 0x01, 0x56, 0xFF, 0xFB, 0x7A, 0xFF, 0xF8});
// LOADI $7C / STORE $000D / STORE $FFF0,X / B +5, then at $000D a byte that the first STORE
// turns into NOP, and B -14: the program rewrites itself, and the indexed STORE wraps past $FFFF
// once X is large enough.
const std::vector<uint8_t> AUTO_MODIFIANT =
    programme(0, {0x01, 0x7C, 0x06, 0x00, 0x0D, 0x07, 0xFF, 0xF0, 0x7A, 0x00, 0x05, 0x7C, 0x7C,
                  0x00, 0x7A, 0xFF, 0xF2});

// LOADI $0F / STORE $1001 / LOADI $F0 / STORE $1001 / B -10: turns port A's bits around, once
// port A has a direction register at $1001.
const std::vector<uint8_t> DIRECTIONS =
    programme(0, {0x01, 0x0F, 0x06, 0x10, 0x01, 0x01, 0xF0, 0x06, 0x10, 0x01, 0x7A, 0xFF, 0xF6});

// The whole machine, as the history must put it back.
struct etat {
    std::vector<uint16_t> memoire;
    uint16_t PC, X;
    uint8_t A, tmpA, CCR;
    uint8_t valeur[NB_PORTS], direction[NB_PORTS];
    uint64_t compteur_pas;

    explicit etat(const machine& m)
        : memoire(m.memoire.mem, m.memoire.mem + 65536), PC(m.inter.PC), X(m.inter.X), A(m.inter.A),
          tmpA(m.inter.tmpA), CCR(m.inter.CCR), compteur_pas(m.compteur_pas) {
        for (int p = 0; p < NB_PORTS; p++) {
            valeur[p] = m.ports[p].valeur;
            direction[p] = m.ports[p].direction;
        }
    }
};

// The first difference, in words; empty when the two are the same.
std::string ecart(const etat& a, const etat& b) {
    char texte[96];
    auto dit = [&](const char* nom, unsigned va, unsigned vb) {
        std::snprintf(texte, sizeof texte, "%s: $%x au lieu de $%x", nom, va, vb);
        return std::string(texte);
    };
    if (a.PC != b.PC) return dit("PC", a.PC, b.PC);
    if (a.X != b.X) return dit("X", a.X, b.X);
    if (a.A != b.A) return dit("A", a.A, b.A);
    if (a.tmpA != b.tmpA) return dit("tmpA", a.tmpA, b.tmpA);
    if (a.CCR != b.CCR) return dit("CCR", a.CCR, b.CCR);
    for (int p = 0; p < NB_PORTS; p++) {
        if (a.valeur[p] != b.valeur[p]) return dit("valeur d'un port", a.valeur[p], b.valeur[p]);
        if (a.direction[p] != b.direction[p])
            return dit("direction d'un port", a.direction[p], b.direction[p]);
    }
    if (a.compteur_pas != b.compteur_pas)
        return dit("compteur_pas", unsigned(a.compteur_pas), unsigned(b.compteur_pas));
    for (uint32_t adr = 0; adr < 65536; adr++) {
        if (a.memoire[adr] == b.memoire[adr]) continue;
        std::snprintf(texte, sizeof texte, "cellule $%04x: $%x au lieu de $%x", adr, a.memoire[adr],
                      b.memoire[adr]);
        return texte;
    }
    return "";
}

// What happens to the machine between two undos: the parts of a step as the window makes them,
// and the edits a person makes between steps.
enum genre_action {
    PAS,         // a whole step (instruction, outputs, inputs)
    INSTRUCTION, // the instruction alone, as the window's step starts
    SORTIES,     // the ports' react_out
    ENTREES,     // the ports' react_in; a = port, b = bit of a clicked switch (-1: none)
    REMPLIT,     // memory fill: a = address, b = value, c = count
    REGISTRES,   // typed registers: a = A, b = X, c = PC
    RESET,
    DIRECTION_A, // port A gets a direction register at a (the configured ports have none)
};

struct action {
    genre_action genre;
    int a, b, c;
};

const action P = {PAS, 0, 0, 0};

struct cas_retour {
    const char* nom;
    const std::vector<uint8_t>& fichier;
    std::vector<action> actions;
    int retours; // undos asked for; -1: as many as there were instructions, then one more
};

// clang-format off
const cas_retour cas_retours[] = {
    {"compteur: un STORE a chaque tour", COMPTEUR,
     {P, P, P, P, P, P, P, P, P, P, P, P}, -1},
    {"seulement les trois derniers pas", COMPTEUR,
     {P, P, P, P, P, P, P}, 3},
    {"remplissages apres un pas, dont un sur le programme", COMPTEUR,
     {P, P, {REMPLIT, 0x40, 0x7F, 1}, {REMPLIT, 0x0000, 0xAA, 3}, P, P, P, P}, -1},
    {"STORE puis remplissages de la meme cellule", COMPTEUR,
     {P, P, P, {REMPLIT, 0x40, 0x7F, 1}, {REMPLIT, 0x3F, 0x01, 3}, P}, -1},
    {"remplissage qui fait le tour de la memoire", COMPTEUR,
     {P, {REMPLIT, 0xFFFE, 0x11, 70000}, P, {REMPLIT, 0x1000, 0x00, 6}, P}, -1},
    {"remplissage avant le premier pas: il reste", COMPTEUR,
     {{REMPLIT, 0x40, 0xFE, 1}, P, P, P, P}, -1},
    {"registres tapes et reset entre les pas", COMPTEUR,
     {P, {REGISTRES, 0x12, 0x3456, 0x0005}, P, P, {RESET, 0, 0, 0}, P, P}, -1},
    {"interrupteur clique entre les pas", INTERRUPTEUR,
     {P, {ENTREES, 1, 0, 0}, P, P, P, P, {ENTREES, 1, 0, 0}, P, P, {ENTREES, 1, 7, 0}, P}, -1},
    {"clic sur un bit de sortie: rien ne change, le retour non plus", INTERRUPTEUR,
     {P, {ENTREES, 0, 7, 0}, P}, -1},
    {"le programme ecrit les lumieres du port C", LUMIERES,
     {P, P, P, P, P, P, P, P, P}, -1},
    {"le programme change la direction des bits du port A", DIRECTIONS,
     {{DIRECTION_A, 0x1001, 0, 0}, P, P, {ENTREES, 0, 6, 0}, P, P, {ENTREES, 0, 1, 0}, P, P, P}, -1},
    {"remplissage du registre d'un port entre deux pas", LUMIERES,
     {P, P, {REMPLIT, 0x1000, 0x0F, 5}, P, {ENTREES, 0, 1, 0}, P}, -1},
    {"pas de la fenetre: remplissage entre l'instruction et les entrees", COMPTEUR,
     {{INSTRUCTION, 0, 0, 0}, {SORTIES, 0, 0, 0}, {REMPLIT, 0x40, 9, 1}, {ENTREES, -1, -1, 0},
      {INSTRUCTION, 0, 0, 0}, {SORTIES, 0, 0, 0}, {REMPLIT, 0x02, 0x50, 1},
      {ENTREES, 1, 3, 0}, P}, -1},
    {"programme qui se reecrit, STORE indexe au-dela de $FFFF", AUTO_MODIFIANT,
     {P, P, {REGISTRES, 0x7C, 0x0020, 0x0005}, P, P, P, P, P, P}, -1},
};
// clang-format on

void applique(machine& m, const action& a) {
    switch (a.genre) {
    case PAS: m.pas(); break;
    case INSTRUCTION: m.execute_instruction(); break;
    case SORTIES: m.reagit_sorties(); break;
    case ENTREES: m.reagit_entrees(a.a, a.b); break;
    case REMPLIT: m.remplit(uint16_t(a.a), uint8_t(a.b), a.c); break;
    case REGISTRES:
        m.inter.set_A_value(uint8_t(a.a));
        m.inter.set_X_value(uint16_t(a.b));
        m.inter.set_PC_value(uint16_t(a.c));
        break;
    case RESET: m.reset(); break;
    case DIRECTION_A:
        m.ports[0].configure("PortA", 0x1000, "DirA", uint16_t(a.a), 0x08, 0x01, &m.memoire);
        break;
    }
}

// A session as the window holds it: history on, a program loaded, the console kept aside.
std::unique_ptr<machine> session_avec(const std::vector<uint8_t>& fichier) {
    auto m = std::make_unique<machine>();
    m->histo.active(true);
    EXPECT_EQ(m->charge_octets(fichier), 1);
    return m;
}

TEST(Historique, ChaqueRetourRendLaMachineDAvantLInstruction) {
    for (const cas_retour& c : cas_retours) {
        SCOPED_TRACE(c.nom);
        capture_console console;
        auto m = session_avec(c.fichier);
        std::vector<etat> avant; // the machine just before each instruction
        for (const action& a : c.actions) {
            if (a.genre == PAS || a.genre == INSTRUCTION) avant.emplace_back(*m);
            applique(*m, a);
        }
        ASSERT_EQ(m->histo.taille(), avant.size());
        int retours = c.retours < 0 ? int(avant.size()) : c.retours;
        for (int k = 1; k <= retours; k++) {
            ASSERT_EQ(m->retour_arriere(), 1) << "retour " << k;
            EXPECT_EQ(ecart(etat(*m), avant.back()), "") << "retour " << k;
            avant.pop_back();
            EXPECT_EQ(m->histo.taille(), avant.size()) << "retour " << k;
        }
        if (c.retours < 0) {
            etat fin(*m);
            EXPECT_EQ(m->retour_arriere(), 0) << "rien a defaire";
            EXPECT_EQ(ecart(etat(*m), fin), "") << "un retour sans historique ne change rien";
        }
    }
}

// After undoing, the same steps give the same machine again: the history leaves nothing behind.
TEST(Historique, LesMemesPasApresUnRetourDonnentLaMemeMachine) {
    capture_console console;
    auto m = session_avec(COMPTEUR);
    std::vector<etat> apres;
    for (int n = 0; n < 9; n++) {
        m->pas();
        apres.emplace_back(*m);
    }
    for (int n = 0; n < 9; n++) m->retour_arriere();
    for (int n = 0; n < 9; n++) {
        m->pas();
        EXPECT_EQ(ecart(etat(*m), apres[size_t(n)]), "") << "pas " << n + 1;
    }
}

TEST(Historique, EteintRienNEstNote) {
    capture_console console;
    auto m = std::make_unique<machine>();
    m->charge_octets(COMPTEUR);
    for (int n = 0; n < 5; n++) m->pas();
    m->remplit(0x40, 1, 10);
    EXPECT_EQ(m->histo.taille(), 0u);
    EXPECT_EQ(m->histo.octets(), 0u);
    etat fin(*m);
    EXPECT_EQ(m->retour_arriere(), 0);
    EXPECT_EQ(ecart(etat(*m), fin), "");

    m->histo.active(true);
    m->pas();
    m->histo.active(false);
    EXPECT_EQ(m->histo.taille(), 0u) << "turned off, it forgets";
}

// The records' size per instruction and per written cell, which the memory figures rely on.
struct cas_taille {
    const char* nom;
    const std::vector<uint8_t>& fichier;
    std::vector<action> actions;
    size_t octets;
};

const cas_taille cas_tailles[] = {
    {"LOAD: l'instantane seul", COMPTEUR, {P}, 20},
    {"LOAD, ADDI, STORE: une cellule notee", COMPTEUR, {P, P, P}, 3 * 20 + 4},
    {"remplissage de 10 cellules qui changent", COMPTEUR, {P, {REMPLIT, 0x100, 0x55, 10}}, 20 + 40},
    {"remplissage qui ne change rien", COMPTEUR, {P, {REMPLIT, 0x100, 0x00, 10}}, 20},
};

TEST(Historique, TailleDesNotes) {
    for (const cas_taille& c : cas_tailles) {
        SCOPED_TRACE(c.nom);
        capture_console console;
        auto m = session_avec(c.fichier);
        for (const action& a : c.actions) applique(*m, a);
        EXPECT_EQ(m->histo.octets(), c.octets);
    }
}

// Within the limit the newest instructions stay; the oldest go, and their cells with them.
struct cas_limite {
    const char* nom;
    size_t limite;
    std::vector<action> actions;
    size_t gardees;
};

const cas_limite cas_limites[] = {
    // Per turn of the counter: LOAD 20, ADDI 20, STORE 24, BNE 20, B 20 (one turn in 256).
    {"100 octets: les 4 derniers de 8 pas", 100, {P, P, P, P, P, P, P, P}, 4},
    {"84 octets: LOAD, ADDI, STORE, BNE gardes", 84, {P, P, P, P}, 4},
    {"83 octets: le plus ancien part", 83, {P, P, P, P}, 3},
    {"un remplissage trop gros emporte son pas et ceux d'avant",
     1000,
     {P, P, {REMPLIT, 0x100, 0x55, 300}},
     0},
    {"un remplissage fait partir les plus anciens",
     300,
     {P, P, P, P, P, P, P, P, {REMPLIT, 0x100, 0x55, 50}},
     4},
};

TEST(Historique, LesPlusAnciensPartentAuDelaDeLaLimite) {
    for (const cas_limite& c : cas_limites) {
        SCOPED_TRACE(c.nom);
        capture_console console;
        auto m = session_avec(COMPTEUR);
        m->histo.limite(c.limite);
        std::vector<etat> avant;
        for (const action& a : c.actions) {
            if (a.genre == PAS) avant.emplace_back(*m);
            applique(*m, a);
        }
        EXPECT_LE(m->histo.octets(), c.limite);
        ASSERT_EQ(m->histo.taille(), std::min(c.gardees, avant.size()));
        // What is kept still undoes exactly, then nothing more.
        size_t gardees = m->histo.taille();
        for (size_t k = 0; k < gardees; k++) {
            ASSERT_EQ(m->retour_arriere(), 1);
            EXPECT_EQ(ecart(etat(*m), avant[avant.size() - 1 - k]), "") << "retour " << k + 1;
        }
        EXPECT_EQ(m->retour_arriere(), 0);
    }
}

TEST(Historique, UnMillionDePasTiennentDans64Mio) {
    capture_console console;
    auto m = session_avec(COMPTEUR);
    etat debut(*m);
    constexpr size_t pas = 1000000;
    for (size_t n = 0; n < pas; n++) m->pas();
    EXPECT_EQ(m->histo.taille(), pas);
    EXPECT_LE(m->histo.octets(), historique::LIMITE_DEFAUT);
    while (m->retour_arriere()) {
    }
    EXPECT_EQ(ecart(etat(*m), debut), "");
}

TEST(Historique, BaisserLaLimiteOublieAussitot) {
    capture_console console;
    auto m = session_avec(COMPTEUR);
    for (int n = 0; n < 10; n++) m->pas();
    m->histo.limite(40);
    EXPECT_EQ(m->histo.taille(), 2u);
}

// Opening or reloading a program starts a new history; a load that fails changes nothing.
enum genre_chargement { OCTETS, FICHIER, FICHIER_ABSENT };

struct cas_chargement {
    const char* nom;
    genre_chargement genre;
    bool reussi;
};

const cas_chargement cas_chargements[] = {
    {"charge_octets", OCTETS, true},
    {"charge_fichier", FICHIER, true},
    {"charge_fichier d'un fichier absent: l'historique reste", FICHIER_ABSENT, false},
};

TEST(Historique, UnChargementCommenceUnNouvelHistorique) {
    std::filesystem::path chemin = std::filesystem::path(::testing::TempDir()) /
                                   ("quorvel-historique-" + std::to_string(getpid()) + ".bin");
    {
        std::ofstream f(chemin, std::ios::binary);
        f.write(reinterpret_cast<const char*>(LUMIERES.data()), std::streamsize(LUMIERES.size()));
    }
    for (const cas_chargement& c : cas_chargements) {
        SCOPED_TRACE(c.nom);
        capture_console console;
        auto m = session_avec(COMPTEUR);
        for (int n = 0; n < 6; n++) m->pas();
        etat avant(*m);
        int resultat = c.genre == OCTETS    ? m->charge_octets(LUMIERES)
                       : c.genre == FICHIER ? m->charge_fichier(chemin.string())
                                            : m->charge_fichier(chemin.string() + ".absent");
        EXPECT_EQ(resultat, c.reussi ? 1 : 0);
        if (!c.reussi) {
            EXPECT_EQ(m->histo.taille(), 6u);
            EXPECT_EQ(ecart(etat(*m), avant), "");
            continue;
        }
        EXPECT_EQ(m->histo.taille(), 0u);
        EXPECT_EQ(m->compteur_pas, 0u);
        EXPECT_EQ(m->retour_arriere(), 0);
        EXPECT_TRUE(m->histo.actif()) << "the new program is recorded too";
        m->pas();
        EXPECT_EQ(m->histo.taille(), 1u);
    }
    std::filesystem::remove(chemin);
}

} // namespace
