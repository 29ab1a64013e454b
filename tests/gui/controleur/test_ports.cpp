// The three parallel ports as the simulator configures them, and their reactions to the buttons,
// to the program and to the memory fill.
// First: the toolkit's headers bring X11 macros (None, Bool) that clash with GoogleTest's names.
#include <gtest/gtest.h>

#include "outils.h"

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/forms.H>

#include <sstream>
#include <string>
#include <vector>

namespace {

struct port_configure {
    const char* nom;
    portparallele simulateur::*port;
    uint16_t adresse;
    uint8_t direction; // bit set: output, red
};

const port_configure ports[] = {
    {"PortA", &simulateur::portA, 0x1000, 0xF8},
    {"PortB", &simulateur::portB, 0x1002, 0x00},
    {"PortC", &simulateur::portC, 0x1004, 0xFF},
};

TEST(Ports, ApresConfiguration) {
    auto sim = nouveau_simulateur();
    for (const port_configure& p : ports) {
        SCOPED_TRACE(p.nom);
        portparallele& port = (*sim).*p.port;
        EXPECT_EQ(sim->memoire.read_byte(p.adresse), 0xFF);
        EXPECT_EQ(port.direction, p.direction);
        EXPECT_STREQ(port.obj_port_valeur->label(), "00");
        EXPECT_EQ(port.SIM, sim->SIM->SIM);
        for (int n = 0; n < 8; n++) {
            Fl_Color c = (p.direction >> n & 1) ? FL_RED : FL_GREEN;
            EXPECT_EQ(port.ES[n]->color(), c) << "bit " << n;
            EXPECT_EQ(port.ES[n]->selection_color(), c) << "bit " << n;
        }
    }
    EXPECT_EQ(sim->portD.SIM, nullptr);
    EXPECT_EQ(sim->portE.memoire, nullptr);
}

enum geste { AUTRE, CLIC_A1, CLIC_A7, CLIC_B0, CLIC_C3, PAS, REMPLIT_C_00, REMPLIT_B_FF };

void fait(simulateur& sim, geste g) {
    switch (g) {
    case AUTRE: passe_avec(sim, sim.SIM->adresse_select); break;
    case CLIC_A1: passe_avec(sim, sim.portA.ES[1]); break;
    case CLIC_A7: passe_avec(sim, sim.portA.ES[7]); break;
    case CLIC_B0: passe_avec(sim, sim.portB.ES[0]); break;
    case CLIC_C3: passe_avec(sim, sim.portC.ES[3]); break;
    case PAS: passe_avec(sim, sim.SIM->B_STEP); break;
    case REMPLIT_C_00: remplit(sim, "$1004", "0", "1"); break;
    case REMPLIT_B_FF: remplit(sim, "$1002", "$FF", "1"); break;
    }
}

struct reaction {
    const char* nom;
    std::vector<uint8_t> programme; // at address 0
    std::vector<geste> gestes;
    uint8_t a, b, c;  // the three registers afterwards
    int modif_entree; // of the last pass
};

// clang-format off
const reaction reactions[] = {
    {"premiere reaction: entrees a 0, sorties gardees", {}, {AUTRE},             0xF8, 0x00, 0xFF, 0},
    {"clic sur le bit 0 de B",                    {}, {CLIC_B0},                 0xF8, 0x01, 0xFF, 1},
    {"deuxieme clic sur le bit 0 de B",           {}, {CLIC_B0, CLIC_B0},        0xF8, 0x00, 0xFF, 1},
    {"clic sur une sortie de C: rien",            {}, {CLIC_C3},                 0xF8, 0x00, 0xFF, 0},
    {"clic sur une sortie de A: rien",            {}, {CLIC_A7},                 0xF8, 0x00, 0xFF, 0},
    {"clic sur une entree de A",                  {}, {CLIC_A1},                 0xFA, 0x00, 0xFF, 1},
    {"STORE $5A en $1004: C le garde",            {0x01, 0x5A, 0x06, 0x10, 0x04}, {PAS, PAS},          0xF8, 0x00, 0x5A, 0},
    {"STORE $FF en $1002: B reprend ses boutons", {0x01, 0xFF, 0x06, 0x10, 0x02}, {CLIC_B0, PAS, PAS}, 0xF8, 0x01, 0xFF, 0},
    {"STORE $07 en $1000: sorties du programme, entrees des boutons",
                                                  {0x01, 0x07, 0x06, 0x10, 0x00}, {CLIC_A1, PAS, PAS}, 0x02, 0x00, 0xFF, 0},
    {"remplissage de $00 en $1004 defait dans la passe", {}, {AUTRE, REMPLIT_C_00}, 0xF8, 0x00, 0xFF, 0},
    {"remplissage de $FF en $1002 defait dans la passe", {}, {REMPLIT_B_FF},      0xF8, 0x00, 0xFF, 0},
};
// clang-format on

std::string binaire(uint8_t v) {
    char texte[9];
    reg2bin8(v, texte);
    return texte;
}

TEST(Ports, Reactions) {
    for (const reaction& r : reactions) {
        SCOPED_TRACE(r.nom);
        auto sim = nouveau_simulateur();
        for (uint16_t i = 0; i < r.programme.size(); i++)
            sim->memoire.write_byte(i, r.programme[i]);
        capture_erreur silence;
        for (geste g : r.gestes) fait(*sim, g);
        silence.fin();
        const uint8_t attendu[] = {r.a, r.b, r.c};
        for (int p = 0; p < 3; p++) {
            portparallele& port = (*sim).*ports[p].port;
            EXPECT_EQ(sim->memoire.read_byte(ports[p].adresse), attendu[p]) << ports[p].nom;
            EXPECT_EQ(port.valeur, attendu[p]) << ports[p].nom;
            EXPECT_EQ(port.obj_port_valeur->label(), binaire(attendu[p])) << ports[p].nom;
        }
        EXPECT_EQ(sim->modif_entree, r.modif_entree);
    }
}

// Each bit button shows its bit of the port's value register, bright or dark in the colour of its
// direction, and says in its tooltip what it is.
void verifie_boutons(simulateur& sim, const uint8_t registres[3]) {
    for (int p = 0; p < 3; p++) {
        portparallele& port = sim.*ports[p].port;
        for (int n = 0; n < 8; n++) {
            SCOPED_TRACE(std::string(ports[p].nom) + " bit " + std::to_string(n));
            bool sortie = ports[p].direction >> n & 1;
            bool allume = registres[p] >> n & 1;
            Fl_Color attendue = sortie ? (allume ? FL_RED : COULEUR_SORTIE_0)
                                       : (allume ? FL_GREEN : COULEUR_ENTREE_0);
            EXPECT_EQ(port.ES[n]->color(), attendue);
            EXPECT_EQ(port.ES[n]->selection_color(), attendue);
            std::string bulle =
                "bit " + std::to_string(n) + (sortie ? ", sortie" : ", entree (clic: inverse)");
            ASSERT_NE(port.ES[n]->tooltip(), nullptr);
            EXPECT_EQ(port.ES[n]->tooltip(), bulle);
        }
    }
}

TEST(Ports, BoutonsMontrentLesBits) {
    {
        SCOPED_TRACE("apres configuration: les registres a $FF");
        auto sim = nouveau_simulateur();
        const uint8_t ff[] = {0xFF, 0xFF, 0xFF};
        verifie_boutons(*sim, ff);
    }
    for (const reaction& r : reactions) {
        SCOPED_TRACE(r.nom);
        auto sim = nouveau_simulateur();
        for (uint16_t i = 0; i < r.programme.size(); i++)
            sim->memoire.write_byte(i, r.programme[i]);
        capture_erreur silence;
        for (geste g : r.gestes) fait(*sim, g);
        silence.fin();
        const uint8_t attendu[] = {r.a, r.b, r.c};
        verifie_boutons(*sim, attendu);
    }
}

// In run mode every pass updates the buttons: only a button whose colour changes is redrawn.
struct redessin {
    const char* nom;
    geste g;
    const char* redessines; // "B0": port B's bit 0; "": none
};

const redessin redessins[] = {
    {"une passe sans changement", AUTRE, ""},
    {"un clic sur une sortie", CLIC_C3, ""},
    {"un clic sur le bit 0 de B", CLIC_B0, "B0"},
    {"un pas sans ecriture de port", PAS, ""},
};

TEST(Ports, BoutonsRedessinesSiLaCouleurChange) {
    for (const redessin& r : redessins) {
        SCOPED_TRACE(r.nom);
        auto sim = nouveau_simulateur();
        sim->memoire.write_byte(0, 0x7C); // NOP
        capture_erreur silence;
        fait(*sim, AUTRE); // the first reaction sets every colour
        // As a drawing would (one waits for the window's first exposure, which may be late).
        for (int p = 0; p < 3; p++)
            for (Fl_Widget* bouton : ((*sim).*ports[p].port).ES) bouton->clear_damage();
        fait(*sim, r.g);
        silence.fin();
        std::string redessines;
        for (int p = 0; p < 3; p++) {
            portparallele& port = (*sim).*ports[p].port;
            for (int n = 0; n < 8; n++)
                if (port.ES[n]->damage())
                    redessines += std::string(1, ports[p].nom[4]) + std::to_string(n);
        }
        EXPECT_EQ(redessines, r.redessines);
    }
}

// Which port answers 1 to which object.
struct reponse {
    const char* nom;
    Fl_Widget* (*objet)(simulateur&);
    int a, b, c;
};

const reponse reponses[] = {
    {"bit 0 de A (entree)", [](simulateur& s) -> Fl_Widget* { return s.portA.ES[0]; }, 1, 0, 0},
    {"bit 3 de A (sortie)", [](simulateur& s) -> Fl_Widget* { return s.portA.ES[3]; }, 0, 0, 0},
    {"bit 7 de B", [](simulateur& s) -> Fl_Widget* { return s.portB.ES[7]; }, 0, 1, 0},
    {"bit 0 de C (sortie)", [](simulateur& s) -> Fl_Widget* { return s.portC.ES[0]; }, 0, 0, 0},
    {"aucun objet (mode continu)", [](simulateur&) -> Fl_Widget* { return nullptr; }, 0, 0, 0},
    {"un autre bouton", [](simulateur& s) -> Fl_Widget* { return s.SIM->B_STEP; }, 0, 0, 0},
};

TEST(Ports, ReactInRepond) {
    for (const reponse& r : reponses) {
        SCOPED_TRACE(r.nom);
        auto sim = nouveau_simulateur();
        sim->memoire.write_byte(0x1002, 0xFF); // resynchronised by every reaction
        Fl_Widget* obj = r.objet(*sim);
        capture_erreur trace;
        EXPECT_EQ(sim->portA.react_in(obj), r.a);
        EXPECT_EQ(sim->portB.react_in(obj), r.b);
        EXPECT_EQ(sim->portC.react_in(obj), r.c);
        EXPECT_EQ(trace.fin(),
                  "PortA: ppartage_mem 0\nPortB: ppartage_mem 0\nPortC: ppartage_mem 0\n");
        EXPECT_EQ(sim->memoire.read_byte(0x1002), r.b ? 0x80 : 0x00);
    }
}

// No port of the simulator has a direction register; one made here shows the direction rule:
// forced outputs OR the register, AND NOT forced inputs (a bit forced both ways is an input).
// The buttons show each bit of the value register, bright or dark in the direction's colour; before
// react_out the register holds the $FF of configure, afterwards the port's value.
struct direction_ecrite {
    const char* nom;
    int registre; // written into the direction register before react_out; -1: nothing written
    uint8_t direction;
    uint8_t registre_valeur;
};

const direction_ecrite directions[] = {
    {"apres configuration: le masque de sortie", -1, 0x0E, 0xFF},
    {"le registre ajoute des sorties", 0xF0, 0xFE, 0xFE},
    {"une entree forcee reste une entree", 0x01, 0x0E, 0x0E},
    {"le registre a 0: les sorties forcees restent", 0x00, 0x0E, 0x0E},
};

TEST(Ports, RegistreDeDirection) {
    for (const direction_ecrite& d : directions) {
        SCOPED_TRACE(d.nom);
        auto sim = nouveau_simulateur();
        portparallele port;
        port.configure(sim->SIM, 430, 240, "PortD", 0x1006, 520, 240, "DirD", 0x1007, 0x0F, 0x01,
                       &sim->memoire, 0);
        EXPECT_EQ(sim->SIM->SIM->children(), 97 + 8 + 12);
        EXPECT_EQ(sim->memoire.read_byte(0x1007), 0x0F) << "the forced-output mask, at first";
        Fl_Widget* titre = sim->SIM->SIM->child(97 + 8 + 10);
        EXPECT_STREQ(titre->label(), "DirD");
        EXPECT_EQ(titre->x(), 520);
        EXPECT_EQ(port.obj_port_direction, sim->SIM->SIM->child(97 + 8 + 11));
        EXPECT_EQ(port.obj_port_direction->y(), 260);
        if (d.registre >= 0) {
            sim->memoire.write_byte(0x1007, static_cast<uint8_t>(d.registre));
            port.react_out();
        }
        EXPECT_EQ(port.direction, d.direction);
        EXPECT_EQ(port.obj_port_direction->label(), binaire(d.direction));
        EXPECT_EQ(sim->memoire.read_byte(0x1006), d.registre_valeur);
        for (int n = 0; n < 8; n++) {
            bool allume = d.registre_valeur >> n & 1;
            Fl_Color sortie = allume ? FL_RED : COULEUR_SORTIE_0;
            Fl_Color entree = allume ? FL_GREEN : COULEUR_ENTREE_0;
            EXPECT_EQ(port.ES[n]->color(), (d.direction >> n & 1) ? sortie : entree) << n;
        }
    }
}

std::string adresse_texte(const void* p) {
    std::ostringstream flux;
    flux << p;
    return flux.str();
}

std::vector<std::string> commencant_par(const std::vector<std::string>& l, const std::string& d) {
    std::vector<std::string> resultat;
    for (const std::string& ligne : l)
        if (ligne.rfind(d, 0) == 0) resultat.push_back(ligne);
    return resultat;
}

// With a link every input bit comes from it (and reads 0), and every output bit goes to it.
TEST(Ports, AvecLien) {
    auto sim = nouveau_simulateur({"-automemlink", "7"});
    capture_erreur trace;
    EXPECT_EQ(passe_avec(*sim, sim->portB.ES[0]), 1);
    std::vector<std::string> attendu{
        "PortA: ppartage_mem " + adresse_texte(sim->portA.ppartage_mem),
        " lecture partage",
        "lecture PortA0 =0",
        "lecture PortA1 =0",
        "lecture PortA2 =0",
        "PortB: ppartage_mem " + adresse_texte(sim->portB.ppartage_mem),
        " lecture partage"};
    for (int n = 0; n < 8; n++) attendu.push_back("lecture PortB" + std::to_string(n) + " =0");
    attendu.push_back("PortC: ppartage_mem " + adresse_texte(sim->portC.ppartage_mem));
    attendu.push_back(" lecture partage");
    EXPECT_EQ(lignes(trace.fin()), attendu);
    EXPECT_EQ(sim->modif_entree, 0);
    EXPECT_EQ(sim->memoire.read_byte(0x1002), 0x00) << "the click is ignored";

    capture_erreur trace_pas;
    passe_avec(*sim, sim->SIM->B_STEP);
    std::vector<std::string> ecritures = commencant_par(lignes(trace_pas.fin()), "ecriture ");
    std::vector<std::string> attendues;
    for (int n = 3; n < 8; n++) attendues.push_back("ecriture PortA" + std::to_string(n));
    for (int n = 0; n < 8; n++) attendues.push_back("ecriture PortC" + std::to_string(n));
    EXPECT_EQ(ecritures, attendues);
}

} // namespace
