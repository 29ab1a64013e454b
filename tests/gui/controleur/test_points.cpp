// Breakpoints in the window: a click on a disassembly line, F9 at PC, Ctrl+B at an address asked
// for, Shift+F9 to clear them all; their mark in the view; the stop of run mode after a step.
// First: the toolkit's headers bring X11 macros (None, Bool) that clash with GoogleTest's names.
#include <gtest/gtest.h>

#include "adresses.h"
#include "outils_debogage.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Return_Button.H>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// A press of a mouse button on a disassembly line, as the toolkit hands it to the box.
TEST(PointsArret, SeulUnClicGaucheMetLaLigneEnFile) {
    const struct {
        const char* nom;
        int bouton;
        int evenement;
        bool en_file;
    } cas[] = {
        {"bouton gauche", FL_LEFT_MOUSE, FL_PUSH, true},
        {"bouton droit", FL_RIGHT_MOUSE, FL_PUSH, false},
        {"bouton du milieu", FL_MIDDLE_MOUSE, FL_PUSH, false},
        {"relachement", FL_LEFT_MOUSE, FL_RELEASE, false},
    };
    auto sim = nouveau_simulateur();
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        for (int y = 0; y < 12; y++) {
            Fl::e_keysym = FL_Button + c.bouton;
            sim->point_desa[y]->handle(c.evenement);
            EXPECT_EQ(Fl::readqueue(), c.en_file ? sim->point_desa[y] : nullptr) << "ligne " << y;
        }
    }
    Fl::e_keysym = 0;
}

// What a person does, one pass each.
enum geste { CLIC1, CLIC2, CLIC4, F9, MAJ_F9, PAS, PLAY, PASSE, RESET, CHARGE, REMPLIT40 };

void fait(simulateur& sim, geste g) {
    switch (g) {
    case CLIC1: passe_avec(sim, sim.point_desa[0]); break;
    case CLIC2: passe_avec(sim, sim.point_desa[1]); break;
    case CLIC4: passe_avec(sim, sim.point_desa[3]); break;
    case F9: passe_avec(sim, sim.SIM->K_POINT_PC); break;
    case MAJ_F9: passe_avec(sim, sim.SIM->K_EFFACE_POINTS); break;
    case PAS: passe_avec(sim, sim.SIM->B_STEP); break;
    case PLAY: passe_avec(sim, sim.SIM->B_PLAY); break;
    case PASSE: sim.passe(); break;
    case RESET: passe_avec(sim, sim.SIM->B_RESET); break;
    case CHARGE: charge(sim, COMPTEUR); break;
    case REMPLIT40: remplit(sim, "$40", "$33", "1"); break;
    }
}

const std::vector<geste> HUIT_PASSES = {PASSE, PASSE, PASSE, PASSE, PASSE, PASSE, PASSE, PASSE};

std::vector<geste> puis(std::vector<geste> debut, const std::vector<geste>& suite) {
    debut.insert(debut.end(), suite.begin(), suite.end());
    return debut;
}

struct cas_point {
    const char* nom;
    std::vector<geste> gestes;
    std::vector<uint16_t> points;
    // The markers of the first five lines: 0 LOAD, 3 ADDI, 5 STORE, 8 BNE, b B.
    std::vector<std::string> marques;
    std::vector<std::string> lignes; // the console's breakpoint lines, in order
    uint16_t pc;
    uint64_t pas;
    int play;
};

// clang-format off
const cas_point cas_points[] = {
    {"clic sur la ligne 4: point en $0008", {CLIC4}, {0x8},
     {"-> ", "   ", "   ", "*  ", "   "}, {}, 0x0, 0, 0},
    {"un deuxieme clic le retire", {CLIC4, CLIC4}, {},
     {"-> ", "   ", "   ", "   ", "   "}, {}, 0x0, 0, 0},
    {"F9: point sur PC", {F9}, {0x0},
     {"*> ", "   ", "   ", "   ", "   "}, {}, 0x0, 0, 0},
    {"F9 deux fois le retire", {PAS, F9, F9}, {},
     {"   ", "-> ", "   ", "   ", "   "}, {}, 0x3, 1, 0},
    {"Maj+F9 efface tout et le dit", {CLIC2, CLIC4, MAJ_F9}, {},
     {"-> ", "   ", "   ", "   ", "   "}, {"points d'arret effaces: $0003 $0008"}, 0x0, 0, 0},
    {"Maj+F9 sans point", {MAJ_F9}, {},
     {"-> ", "   ", "   ", "   ", "   "}, {"points d'arret effaces: aucun"}, 0x0, 0, 0},
    {"le mode continu s'arrete sur le point", puis({CLIC4, PLAY}, HUIT_PASSES), {0x8},
     {"   ", "   ", "   ", "*> ", "   "}, {"point d'arret en $0008"}, 0x8, 3, 0},
    {"lance sur un point: son instruction d'abord, arret au tour suivant",
     puis({CLIC1, PLAY}, HUIT_PASSES), {0x0},
     {"*> ", "   ", "   ", "   ", "   "}, {"point d'arret en $0000"}, 0x0, 4, 0},
    {"relance apres l'arret: un tour de plus", puis(puis({CLIC4, PLAY}, HUIT_PASSES), {PLAY, PASSE, PASSE, PASSE, PASSE, PASSE}),
     {0x8}, {"   ", "   ", "   ", "*> ", "   "},
     {"point d'arret en $0008", "point d'arret en $0008"}, 0x8, 7, 0},
    {"pas a pas sur un point: la ligne, rien d'autre", {CLIC2, PAS, PAS}, {0x3},
     {"   ", "*  ", "-> ", "   ", "   "}, {"point d'arret en $0003"}, 0x5, 2, 0},
    {"les points survivent au reset et au rechargement", {CLIC4, PAS, RESET, CHARGE}, {0x8},
     {"-> ", "   ", "   ", "*  ", "   "}, {}, 0x0, 0, 0},
};
// clang-format on

TEST(PointsArret, PosesMarquesEtArrets) {
    for (const cas_point& c : cas_points) {
        SCOPED_TRACE(c.nom);
        auto sim = nouveau_simulateur();
        charge(*sim, COMPTEUR);
        std::vector<std::string> lignes_point;
        for (geste g : c.gestes) {
            capture_erreur trace;
            fait(*sim, g);
            for (const std::string& l : lignes(trace.fin()))
                if (l.rfind("point", 0) == 0) lignes_point.push_back(l);
        }
        std::vector<uint16_t> points;
        for (uint32_t a = 0; a < 65536; a++)
            if (sim->session.arrets.test(a)) points.push_back(uint16_t(a));
        EXPECT_EQ(points, c.points);
        for (size_t y = 0; y < c.marques.size(); y++) {
            std::string ligne = sim->point_desa[y]->label();
            EXPECT_EQ(ligne.substr(0, 3), c.marques[y]) << ligne;
            bool point = c.marques[y][0] == '*', pc = c.marques[y][1] == '>';
            Fl_Color fond = pc ? 174 : point ? fl_color_cube(4, 5, 3) : FL_WHITE;
            EXPECT_EQ(sim->point_desa[y]->color(), fond) << ligne << ": PC's orange wins";
        }
        EXPECT_EQ(lignes_point, c.lignes);
        EXPECT_EQ(sim->inter.PC_value(), c.pc);
        EXPECT_EQ(sim->session.compteur_pas, c.pas);
        EXPECT_EQ(sim->play, c.play);
    }
}

// The stop ends test 4 only: the later tests of the same pass still run (here the fill of test
// 5, then the ports), and the stop line comes after the step's drawing.
TEST(PointsArret, LesTestsSuivantsTournentApresLArret) {
    auto sim = nouveau_simulateur();
    charge(*sim, COMPTEUR);
    capture_erreur silence;
    passe_avec(*sim, sim->point_desa[3]); // at $0008
    sim->SIM->REG_PC_HEX->value("5");
    passe_avec(*sim, sim->SIM->B_PLAY);
    sim->SIM->adresse_select->value("$40");
    sim->SIM->valeur_select->value("$33");
    sim->SIM->multiplicateur_select->value("1");
    capture_erreur trace;
    passe_avec(*sim, sim->SIM->VALID_MEM); // STORE $40, then the fill
    std::vector<std::string> l = lignes(trace.fin());
    EXPECT_EQ(sim->play, 0);
    EXPECT_EQ(sim->inter.PC_value(), 0x8);
    EXPECT_EQ(sim->memoire.read_byte(0x40), 0x33) << "the fill ran after the stop";
    auto arret = std::find(l.begin(), l.end(), "point d'arret en $0008");
    ASSERT_NE(arret, l.end());
    EXPECT_GT(arret - l.begin(), 12) << "after the step's drawing";
    EXPECT_EQ(l.back(), "PortC: ppartage_mem 0");
}

struct cas_adresse {
    const char* texte;
    bool lue;
    uint16_t adresse;
    const char* erreur;
};

const cas_adresse cas_adresses[] = {
    {"8", true, 0x8, ""},
    {"65535", true, 0xFFFF, ""},
    {"$1f", true, 0x1F, ""},
    {"$FFFF", true, 0xFFFF, ""},
    {"0x1F", true, 0x1F, ""},
    {"0Xff", true, 0xFF, ""},
    {"  $10  ", true, 0x10, ""},
    {"debut", true, 0x0, ""},
    {"fin_boucle", true, 0xB, ""},
    {"65536", false, 0, "point d'arret: adresse hors de la memoire ($0000 a $ffff): 65536"},
    {"-1", false, 0, "point d'arret: adresse hors de la memoire ($0000 a $ffff): -1"},
    {"$10000", false, 0, "point d'arret: adresse hors de la memoire ($0000 a $ffff): $10000"},
    {"$1g", false, 0, "point d'arret: nombre mal ecrit: $1g"},
    {"0x", false, 0, "point d'arret: nombre mal ecrit: 0x"},
    {"12abc", false, 0, "point d'arret: nombre mal ecrit: 12abc"},
    {"Debut", false, 0,
     "point d'arret: \"Debut\" n'est ni une adresse ni une etiquette du programme"},
    {"zut", false, 0, "point d'arret: \"zut\" n'est ni une adresse ni une etiquette du programme"},
};

TEST(PointsArret, AdresseOuEtiquette) {
    auto sim = nouveau_simulateur();
    sim->session.etiquettes = {{"debut", 0x0}, {"fin_boucle", 0xB}};
    for (const cas_adresse& c : cas_adresses) {
        SCOPED_TRACE(c.texte);
        uint16_t adresse = 0x1234;
        std::string erreur;
        EXPECT_EQ(lit_adresse(c.texte, sim->session.etiquettes, adresse, erreur), c.lue);
        if (!c.lue) erreur = "point d'arret: " + erreur;
        EXPECT_EQ(erreur, c.erreur);
        if (c.lue) {
            EXPECT_EQ(adresse, c.adresse);
        }
    }
}

// Ctrl+B through its pass: the dialog asks, the answer toggles a breakpoint; a wrong answer is
// told in an alert and on the console, and changes nothing; no answer changes nothing.
struct cas_demande {
    const char* nom;
    const char* reponse; // null: the dialog is closed
    std::vector<uint16_t> points;
    const char* erreur; // the alert's text and the console line; "" for none
};

const cas_demande cas_demandes[] = {
    {"adresse en hexadecimal", "$b", {0x8, 0xB}, ""},
    {"etiquette du programme", "boucle", {}, ""}, // $0008: already set, so removed
    {"dialogue ferme", nullptr, {0x8}, ""},
    {"reponse vide", "   ", {0x8}, ""},
    {"etiquette inconnue",
     "zut",
     {0x8},
     "point d'arret: \"zut\" n'est ni une adresse ni une etiquette du programme"},
    {"hors de la memoire",
     "70000",
     {0x8},
     "point d'arret: adresse hors de la memoire ($0000 a $ffff): 70000"},
};

TEST(PointsArret, CtrlBDemandeUneAdresse) {
    for (const cas_demande& c : cas_demandes) {
        SCOPED_TRACE(c.nom);
        auto sim = nouveau_simulateur();
        charge(*sim, COMPTEUR);
        sim->session.etiquettes = {{"boucle", 0x8}};
        sim->session.arrets.set(0x8);
        dialogue question;
        question.reponse = c.reponse;
        dialogue alerte;
        if (*c.erreur) question.ensuite = &alerte; // the alert comes once the question is answered
        repondra(question);
        capture_erreur trace;
        EXPECT_EQ(passe_avec(*sim, sim->SIM->K_POINT_ADRESSE), 1);
        std::vector<std::string> l = lignes(trace.fin());
        EXPECT_TRUE(question.vu);
        EXPECT_NE(question.textes.find("adresse"), std::string::npos) << question.textes;
        std::vector<uint16_t> points;
        for (uint32_t a = 0; a < 65536; a++)
            if (sim->session.arrets.test(a)) points.push_back(uint16_t(a));
        EXPECT_EQ(points, c.points);
        EXPECT_EQ(alerte.vu, *c.erreur != 0);
        if (*c.erreur) {
            EXPECT_NE(alerte.textes.find(c.erreur), std::string::npos) << alerte.textes;
            EXPECT_NE(std::find(l.begin(), l.end(), c.erreur), l.end());
        }
    }
}

} // namespace
