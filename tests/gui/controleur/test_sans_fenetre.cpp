// The headless runner against the window: the same program with the same inputs leaves the same
// registers, memory and ports after N steps of quorvel-run's session (execute() on a machine,
// silent) as after N run-mode passes of the controller. The load is the window's first handled
// pass; the start settings are what a person types; a switch flipped at step K is a port button
// queued for pass K.
#include <gtest/gtest.h>

#include "outils.h"

#include "console.h"
#include "programme.h"
#include "session_run.h"

#include <FL/Fl.H>
#include <FL/Fl_Input.H>

#include <filesystem>
#include <fstream>
#include <memory>

namespace {

struct bascule {
    uint64_t pas; // the pass (the step) during which the button is pressed
    int port;
    int bit;
};

struct remplissage {
    uint16_t adresse;
    uint8_t valeur;
    int nombre;
};

struct cas_comparaison {
    const char* nom;
    std::string source; // text, or "@name" for examples/name
    uint64_t pas;
    std::vector<bascule> bascules;
    std::vector<remplissage> remplissages;
    int x_depart = -1; // typed into the register panel; -1: left alone
};

// Sums of what ports A and B read, one loop every 15 steps (LOAD $1000 at step 4, LOAD $1002 at
// step 7): a flip one step late changes a sum.
const char* const PORTS_ECRITS = "debut:  LOADI $FF\n"
                                 "        STORE $1000\n" // A: outputs from here, inputs kept
                                 "        STORE $1002\n" // B: all inputs, undone
                                 "        LOAD $1000\n"
                                 "        ADD $2000\n"
                                 "        STORE $2000\n"
                                 "        LOAD $1002\n"
                                 "        ADD $2001\n"
                                 "        STORE $2001\n"
                                 "        LOADI $0F\n"
                                 "        STORE $1004\n"
                                 "        LOAD $1004\n"
                                 "        ADD $2002\n"
                                 "        STORE $2002\n"
                                 "        B debut\n";

// Counts its loops until switch 0 of port B is up (read at step 6, then every 6 steps).
const char* const COMPTE_ATTENTE = "LOADI 0\nSTORE $40\nattente: LOAD $40\nADDI 1\nSTORE $40\n"
                                   "LOAD $1002\nANDI 1\nBEQ attente\nfin: B fin\n";

// The speed benchmark's loop: a counter on port C, port B read, indexed addressing.
const char* const BOUCLE_BANC = "debut: LOADI 1\nADD $2000\nSTORE $2000\nSTORE $1004\n"
                                "LOAD $1002\nADD $0010,X\nCMPI 0\nBEQ 3\nB debut\n";

const char* const TABLE_X = "boucle: LOAD 0,X\nSTORE $1004\nTXLA\nADDI 1\nTAXL\nB boucle\n";

const char* const LIT_REMPLISSAGE = "debut: LOAD $33\nADD $1004\nSTORE $1004\nLOAD $1002\n"
                                    "STORE $31\nB debut\n";

// clang-format off
const cas_comparaison comparaisons[] = {
    {"compteur",                    "@compteur.s",       200, {}, {}},
    {"interrupteurs bascules",      "@interrupteurs.s",  40,  {{5, 1, 0}, {11, 1, 7}, {20, 1, 0}}, {}},
    {"attente puis interrupteur",   "@attente.s",        130, {{100, 1, 0}}, {}},
    {"somme d'une table indexee",   "@somme_table.s",    150, {}, {}},
    {"multiplication",              "@multiplication.s", 400, {}, {}},
    {"chenillard",                  "@chenillard.s",     300, {}, {}},
    {"ecritures dans les ports",    PORTS_ECRITS,        150, {{18, 0, 1}, {21, 1, 3}, {33, 0, 0}, {36, 1, 3}, {63, 0, 1}}, {}},
    {"compte jusqu'a l'interrupteur", COMPTE_ATTENTE,    100, {{65, 1, 0}}, {}},
    {"boucle du banc d'essai",      BOUCLE_BANC,         300, {{40, 1, 2}, {41, 1, 5}, {200, 1, 2}}, {}},
    {"X tape dans le panneau",      TABLE_X,             90,  {}, {}, 0x20},
    {"remplissages avant le depart", LIT_REMPLISSAGE,    60,  {{9, 1, 6}},
     {{0x1004, 0x5A, 1}, {0x30, 0x07, 4}, {0x1002, 0xFF, 1}}},
};
// clang-format on

std::string chemin_source(const cas_comparaison& c, const std::filesystem::path& dossier) {
    if (c.source[0] == '@') return std::string(EXEMPLES) + "/" + c.source.substr(1);
    std::string chemin = (dossier / "prog.s").string();
    std::ofstream(chemin) << c.source;
    return chemin;
}

// The inputs a teacher gives quorvel-run: each flip as the port's new input bits at its step.
std::vector<entree_pas> entrees_de(const std::vector<bascule>& bascules) {
    uint8_t entrees[NB_PORTS] = {0, 0, 0}; // after a load, every input bit is 0
    std::vector<entree_pas> resultat;
    for (const bascule& b : bascules) {
        entrees[b.port] = static_cast<uint8_t>(entrees[b.port] ^ (1 << b.bit));
        resultat.push_back({b.pas, b.port, entrees[b.port]});
    }
    return resultat;
}

std::unique_ptr<machine> sans_fenetre(const cas_comparaison& c, const programme_lu& p) {
    console_vers_rien(); // as quorvel-run runs: the fast, silent step
    std::unique_ptr<machine> m = std::make_unique<machine>();
    charge_programme(*m, p);
    depart_run depart;
    if (c.x_depart >= 0)
        depart.registres.push_back({REGISTRE_X, static_cast<uint16_t>(c.x_depart)});
    for (const remplissage& r : c.remplissages)
        depart.memoire.push_back(
            {r.adresse, std::vector<uint8_t>(static_cast<size_t>(r.nombre), r.valeur)});
    demarre(*m, depart);
    deroulement_run deroulement;
    deroulement.budget = c.pas;
    deroulement.entrees = entrees_de(c.bascules);
    deroule(*m, deroulement, nullptr);
    console_vers_erreur_standard();
    return m;
}

std::string hexa(unsigned valeur) {
    char texte[16];
    std::snprintf(texte, sizeof texte, "%x", valeur);
    return texte;
}

void fenetre(simulateur& sim, const cas_comparaison& c, const std::string& programme) {
    sim.charge_programme(programme.c_str());
    // The rest of the menu's pass: an object that no test matches gives the same pass.
    passe_avec(sim, sim.SIM->adresse_select);
    if (c.x_depart >= 0) {
        sim.SIM->REG_X_HEX->value(hexa(static_cast<unsigned>(c.x_depart)).c_str());
        passe_avec(sim, sim.SIM->adresse_select);
    }
    for (const remplissage& r : c.remplissages)
        remplit(sim, ("$" + hexa(r.adresse)).c_str(), ("$" + hexa(r.valeur)).c_str(),
                std::to_string(r.nombre).c_str());
    portparallele* const ports[NB_PORTS] = {&sim.portA, &sim.portB, &sim.portC};
    sim.play = 1;
    for (uint64_t pas = 1; pas <= c.pas; ++pas) {
        for (const bascule& b : c.bascules)
            if (b.pas == pas) ports[b.port]->ES[b.bit]->do_callback();
        sim.passe();
    }
    sim.play = 0;
}

TEST(SansFenetre, MemeEtatQueLaFenetre) {
    for (const cas_comparaison& c : comparaisons) {
        SCOPED_TRACE(c.nom);
        char modele[] = "/tmp/quorvel_comparaison_XXXXXX";
        ASSERT_NE(mkdtemp(modele), nullptr);
        std::filesystem::path dossier = modele;
        programme_lu p;
        ASSERT_EQ(lit_programme(chemin_source(c, dossier), p), PROGRAMME_LU);
        std::string binaire = (dossier / "prog.bin").string();
        std::ofstream(binaire, std::ios::binary)
            .write(reinterpret_cast<const char*>(p.octets.data()),
                   static_cast<std::streamsize>(p.octets.size()));

        std::unique_ptr<machine> m = sans_fenetre(c, p);
        auto sim = nouveau_simulateur();
        {
            capture_erreur silence;
            fenetre(*sim, c, binaire);
        }
        EXPECT_EQ(sim->session.compteur_pas, c.pas) << "the window made every step";
        const mac_interpreteur& a = sim->inter;
        const mac_interpreteur& b = m->inter;
        EXPECT_EQ(hexa(b.A_value()), hexa(a.A_value())) << "A";
        EXPECT_EQ(hexa(b.X_value()), hexa(a.X_value())) << "X";
        EXPECT_EQ(hexa(b.PC_value()), hexa(a.PC_value())) << "PC";
        EXPECT_EQ(hexa(b.CCR_value()), hexa(a.CCR_value())) << "CCR";
        EXPECT_EQ(b.tmpA_value(), a.tmpA_value()) << "tmpA";
        for (int n = 0; n < NB_PORTS; ++n)
            EXPECT_EQ(hexa(m->ports[n].valeur), hexa(sim->session.ports[n].valeur))
                << configuration_ports[n].nom;
        int differences = 0;
        for (uint32_t adresse = 0; adresse < 0x10000 && differences < 5; ++adresse) {
            uint8_t attendu = sim->memoire.read_byte(static_cast<uint16_t>(adresse));
            uint8_t obtenu = m->memoire.read_byte(static_cast<uint16_t>(adresse));
            if (attendu == obtenu) continue;
            ADD_FAILURE() << "cell $" << hexa(adresse) << ": window $" << hexa(attendu)
                          << ", headless $" << hexa(obtenu);
            differences++;
        }
        std::filesystem::remove_all(dossier);
    }
}

} // namespace
