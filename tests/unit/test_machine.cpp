// The machine session: the ports' rules without a window, a step as a running pass makes it, the
// execution loop's stop reasons and their order, and the per-instruction trace.
#include "execution.h"
#include "machine.h"
#include "trace_instructions.h"

#include "outils_test.h"

#include <memory>

namespace {

std::unique_ptr<machine> session_avec(const std::vector<uint8_t>& code, uint16_t adresse = 0) {
    auto m = std::make_unique<machine>();
    for (uint8_t octet : code) m->memoire.write_byte(adresse++, octet);
    return m;
}

TEST(Session, EtatDeDemarrage) {
    auto m = std::make_unique<machine>();
    EXPECT_EQ(m->inter.PC_value(), 0);
    EXPECT_EQ(m->memoire.read_byte(0x0000), 0xFF);
    const uint8_t directions[NB_PORTS] = {0xF8, 0x00, 0xFF};
    for (int p = 0; p < NB_PORTS; p++) {
        SCOPED_TRACE(configuration_ports[p].nom);
        EXPECT_EQ(m->memoire.read_byte(configuration_ports[p].adresse), 0xFF);
        EXPECT_EQ(m->ports[p].direction, directions[p]);
        EXPECT_EQ(m->ports[p].valeur, 0);
        EXPECT_EQ(m->ports[p].ppartage_mem, nullptr);
    }
}

// What the window's ports do to their registers, without a widget.
struct cas_port {
    const char* nom;
    std::vector<uint8_t> code; // at 0; empty: no instruction
    int port_clique, bit_clique;
    std::vector<cellule> remplis; // memory written outside any instruction, before the reaction
    uint8_t a, b, c;              // the three registers after the reactions
    int modif;
};

const cas_port cas_ports[] = {
    {"premiere reaction: les sorties de A et C gardent $FF", {}, -1, -1, {}, 0xF8, 0x00, 0xFF, 0},
    {"clic sur l'entree 0 de B", {}, 1, 0, {}, 0xF8, 0x01, 0xFF, 1},
    {"clic sur une sortie de C: rien", {}, 2, 3, {}, 0xF8, 0x00, 0xFF, 0},
    {"clic sur une sortie de A: rien", {}, 0, 7, {}, 0xF8, 0x00, 0xFF, 0},
    {"clic sur l'entree 2 de A", {}, 0, 2, {}, 0xFC, 0x00, 0xFF, 1},
    {"un remplissage de C a 0 est defait (OU collant)",
     {},
     -1,
     -1,
     {{0x1004, 0x00}},
     0xF8,
     0x00,
     0xFF,
     0},
    {"un remplissage de B a $FF est defait", {}, -1, -1, {{0x1002, 0xFF}}, 0xF8, 0x00, 0xFF, 0},
    // LOADI $5A; STORE $1004
    {"STORE $5A dans C", {0x01, 0x5A, 0x06, 0x10, 0x04}, -1, -1, {}, 0xF8, 0x00, 0x5A, 0},
    // LOADI $FF; STORE $1002
    {"STORE $FF dans B est defait",
     {0x01, 0xFF, 0x06, 0x10, 0x02},
     -1,
     -1,
     {},
     0xF8,
     0x00,
     0xFF,
     0},
    // LOADI 7; STORE $1000
    {"STORE 7 dans A: sorties du programme, entrees du port",
     {0x01, 0x07, 0x06, 0x10, 0x00},
     -1,
     -1,
     {},
     0x00,
     0x00,
     0xFF,
     0},
};

TEST(Session, ReactionsDesPorts) {
    for (const cas_port& cas : cas_ports) {
        SCOPED_TRACE(cas.nom);
        auto m = session_avec(cas.code);
        capture_console silence;
        m->reagit_entrees(-1, -1); // the first handled pass
        for (size_t pas = 0; pas < (cas.code.empty() ? 0 : 2); pas++) m->pas();
        for (const cellule& c : cas.remplis) m->remplit(c.adresse, c.valeur, 1);
        EXPECT_EQ(m->reagit_entrees(cas.port_clique, cas.bit_clique), cas.modif);
        const uint8_t attendu[NB_PORTS] = {cas.a, cas.b, cas.c};
        for (int p = 0; p < NB_PORTS; p++) {
            EXPECT_EQ(m->memoire.read_byte(configuration_ports[p].adresse), attendu[p]) << p;
            EXPECT_EQ(m->ports[p].valeur, attendu[p]) << p;
        }
    }
}

TEST(Session, EntreesPoseesIgnorentLesSorties) {
    auto m = std::make_unique<machine>();
    capture_console silence;
    m->reagit_entrees(-1, -1);
    m->ports[0].pose_entrees(0xFF); // bits 7-3 of A are outputs
    m->ports[2].pose_entrees(0x00); // C has no input
    m->reagit_entrees(-1, -1);
    EXPECT_EQ(m->memoire.read_byte(0x1000), 0xFF);
    EXPECT_EQ(m->ports[0].valeur, 0xFF);
    EXPECT_EQ(m->memoire.read_byte(0x1004), 0xFF);
}

TEST(Session, TraceDesPortsSaufSilence) {
    auto m = std::make_unique<machine>();
    {
        capture_console capture;
        m->reagit_entrees(-1, -1);
        EXPECT_EQ(capture.texte(),
                  "PortA: ppartage_mem 0\nPortB: ppartage_mem 0\nPortC: ppartage_mem 0\n");
    }
    capture_console capture;
    console_vers_rien();
    m->reagit_entrees(-1, -1);
    console_vers_erreur_standard();
    EXPECT_EQ(capture.texte(), "");
}

TEST(Session, RemplissageBorneEtCirculaire) {
    auto m = std::make_unique<machine>();
    m->remplit(0xFFFF, 0xAB, 2);
    EXPECT_EQ(m->memoire.read_byte(0xFFFF), 0xAB);
    EXPECT_EQ(m->memoire.read_byte(0x0000), 0xAB);
    EXPECT_EQ(m->memoire.read_byte(0x0001), 0xFF);
    for (int32_t nombre : {0, -3}) {
        m->remplit(0x10, 0x00, nombre);
        EXPECT_EQ(m->memoire.read_byte(0x10), 0xFF) << nombre;
    }
    m->remplit(0x20, 0x12, 2000000000); // stops after every cell is written
    EXPECT_EQ(m->memoire.read_byte(0x1F), 0x12);
}

TEST(Session, ChargementDemarreA0EtRemetLeCompteAZero) {
    auto m = session_avec({0x7C, 0x7C});
    capture_console silence;
    m->pas();
    m->etiquettes["fin"] = 3;
    EXPECT_EQ(m->compteur_pas, 1u);
    std::string raison;
    EXPECT_EQ(m->charge_octets({0x00, 0x06, 0x00, 0x10, 0x7C, 0x7C}, raison), 1);
    EXPECT_EQ(m->inter.PC_value(), 0);
    EXPECT_EQ(m->compteur_pas, 0u);
    EXPECT_TRUE(m->etiquettes.empty());
    EXPECT_EQ(m->memoire.read_byte(0x10), 0x7C);
    EXPECT_EQ(m->memoire.read_byte(0x00), 0x00);
}

struct cas_arret {
    const char* nom;
    std::vector<uint8_t> code; // at 0
    std::vector<uint16_t> arrets;
    uint64_t budget;
    arret_execution arret;
    uint64_t pas;
    uint16_t pc;
};

// NOP = $7C; B +0 = 78 00 00 (a branch to itself); B -3 = 78 FF FD.
const cas_arret cas_arrets[] = {
    {"branchement sur soi: boucle", {0x7C, 0x78, 0x00, 0x00}, {}, 100, ARRET_BOUCLE, 2, 1},
    {"budget epuise", {0x7C, 0x78, 0xFF, 0xFF}, {}, 5, ARRET_BUDGET, 5, 1},
    {"adresse atteinte", {0x7C, 0x7C, 0x7C, 0x78, 0xFF, 0xFD}, {2}, 100, ARRET_ADRESSE, 2, 2},
    {"jamais avant le premier pas", {0x7C, 0x7C, 0x78, 0xFF, 0xFE}, {0}, 100, ARRET_ADRESSE, 3, 0},
    {"l'adresse passe avant la boucle", {0x78, 0x00, 0x00}, {0}, 100, ARRET_ADRESSE, 1, 0},
    {"la boucle passe avant le budget", {0x78, 0x00, 0x00}, {}, 1, ARRET_BOUCLE, 1, 0},
    {"l'adresse passe avant le budget", {0x7C, 0x7C}, {1}, 1, ARRET_ADRESSE, 1, 1},
    // LOADI 1; BNE +0: the flag never changes, so the machine has halted
    {"branchement conditionnel pris sur soi",
     {0x01, 0x01, 0x54, 0x00, 0x00},
     {},
     100,
     ARRET_BOUCLE,
     2,
     2},
    // LOADI 0; BNE +0 not taken: the run goes on into $FF bytes
    {"branchement non pris: pas de boucle",
     {0x01, 0x00, 0x54, 0x00, 0x00},
     {},
     3,
     ARRET_BUDGET,
     3,
     6},
};

TEST(Execution, RaisonsDArretEtLeurOrdre) {
    for (const cas_arret& cas : cas_arrets) {
        SCOPED_TRACE(cas.nom);
        auto m = session_avec(cas.code);
        for (uint16_t a : cas.arrets) m->arrets.set(a);
        capture_console silence;
        resultat_execution r = execute(*m, cas.budget);
        EXPECT_STREQ(nom_arret(r.arret), nom_arret(cas.arret));
        EXPECT_EQ(r.pas, cas.pas);
        EXPECT_EQ(m->inter.PC_value(), cas.pc);
        EXPECT_EQ(m->compteur_pas, cas.pas);
    }
}

// A switch flipped during a run: after step 2's react_out, port B's inputs become $81.
struct journal_suivi {
    std::string lignes;
    char ligne[TAILLE_LIGNE_TRACE];
    size_t longueur = 0;
};

void avant(void* c, machine& m, uint64_t pas) {
    auto* j = static_cast<journal_suivi*>(c);
    j->longueur = debut_ligne_trace(m, pas, j->ligne);
}
void sorties(void*, machine& m, uint64_t pas) {
    if (pas == 2) m.ports[1].pose_entrees(0x81);
}
void apres(void* c, machine& m, uint64_t) {
    auto* j = static_cast<journal_suivi*>(c);
    j->lignes.append(j->ligne, fin_ligne_trace(m, j->ligne, j->longueur));
}

TEST(Execution, SuiviTraceEtEntreesPendantLaCourse) {
    // LOADI 1; LOAD $1002; ADD 2,X; STORE $1004; CMPI 0; BNE -12 (back to LOAD)
    auto m = session_avec({0x01, 0x01, 0x02, 0x10, 0x02, 0x27, 0x00, 0x02, 0x06, 0x10, 0x04, 0x2D,
                           0x00, 0x54, 0xFF, 0xF4});
    m->inter.set_X_value(0x1000);
    journal_suivi journal;
    suivi_execution suivi;
    suivi.contexte = &journal;
    suivi.avant_pas = avant;
    suivi.apres_sorties = sorties;
    suivi.apres_pas = apres;
    capture_console silence;
    console_vers_rien();
    resultat_execution r = execute(*m, 4, &suivi);
    console_vers_erreur_standard();
    EXPECT_EQ(r.arret, ARRET_BUDGET);
    EXPECT_EQ(journal.lignes, "1 0000 01 01    LOADI 1 A=01 X=1000 CCR=00000000\n"
                              "2 0002 02 10 02 LOAD 4098 A=00 X=1000 CCR=00000100\n"
                              "3 0005 27 00 02 ADD 2,X A=81 X=1000 CCR=00001000\n"
                              "4 0008 06 10 04 STORE 4100 A=81 X=1000 CCR=00001000\n");
    EXPECT_EQ(m->memoire.read_byte(0x1002), 0x81) << "the inputs reached the register in step 2";
    EXPECT_EQ(m->memoire.read_byte(0x1004), 0x81);
    EXPECT_EQ(silence.texte(), "");
}

struct cas_cellule {
    const char* nom;
    std::vector<uint8_t> code;
    uint16_t x;
    int32_t cellule;
};

const cas_cellule cas_cellules[] = {
    {"STORE direct", {0x06, 0x12, 0x34}, 0, 0x1234},
    {"STORE indexe", {0x07, 0x00, 0x10, 0x00}, 0x1000, 0x1010},
    {"STORE indexe, l'adresse boucle", {0x07, 0xFF, 0xFF}, 0x0002, 0x0001},
    {"STORE immediat: refuse, n'ecrit rien", {0x05, 0x12}, 0, -1},
    {"STORE inherent: refuse", {0x04}, 0, -1},
    {"LOAD n'ecrit pas", {0x02, 0x12, 0x34}, 0, -1},
    {"bit 7 ignore", {0x86, 0x00, 0x20}, 0, 0x0020},
};

TEST(Session, CelluleEcriteParLInstruction) {
    for (const cas_cellule& cas : cas_cellules) {
        SCOPED_TRACE(cas.nom);
        auto m = session_avec(cas.code);
        m->inter.set_X_value(cas.x);
        EXPECT_EQ(m->inter.cellule_ecrite(), cas.cellule);
    }
}

} // namespace
