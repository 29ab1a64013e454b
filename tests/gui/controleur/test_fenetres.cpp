// The windows as built: the main window's children and the fields that name them, the ports'
// widgets appended behind them, and the About and Help windows.
// First: the toolkit's headers bring X11 macros (None, Bool) that clash with GoogleTest's names.
#include <gtest/gtest.h>

#include "outils.h"

#include <FL/Fl_Box.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Menu_Button.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Slider.H>
#include <FL/forms.H>

#include <cstring>
#include <string>

namespace {

struct champ_attendu {
    const char* nom;
    Fl_Widget* (*lit)(const SIM_class&);
    int rang; // row of the window's table, from 1
};

#define CHAMP(nom, rang)                                                                           \
    {                                                                                              \
#nom, [](const SIM_class& s) -> Fl_Widget* { return s.nom; }, rang                         \
    }

// clang-format off
const champ_attendu champs[] = {
    CHAMP(REG_A_DEC, 4),   CHAMP(REG_CCR_BIN, 7), CHAMP(REG_X_DEC, 9),   CHAMP(REG_PC_DEC, 11),
    CHAMP(m_fichier, 13),  CHAMP(DESA01, 15),     CHAMP(DUMP_SLIDE, 19), CHAMP(B_STOP, 20),
    CHAMP(B_PLAY, 21),     CHAMP(B_STEP, 22),     CHAMP(B_RESET, 23),    CHAMP(DESA02, 24),
    CHAMP(DESA03, 25),     CHAMP(DESA04, 26),     CHAMP(DESA05, 27),     CHAMP(DESA06, 28),
    CHAMP(DESA07, 29),     CHAMP(DESA08, 30),     CHAMP(DESA09, 31),     CHAMP(DESA10, 32),
    CHAMP(DESA11, 33),     CHAMP(DESA12, 34),     CHAMP(DUMP01, 35),     CHAMP(DUMP02, 36),
    CHAMP(DUMP03, 37),     CHAMP(DUMP04, 38),     CHAMP(DUMP05, 39),     CHAMP(DUMP06, 40),
    CHAMP(DUMP07, 41),     CHAMP(DUMP08, 42),     CHAMP(DUMP09, 43),     CHAMP(DUMP10, 44),
    CHAMP(DUMP11, 45),     CHAMP(DUMP12, 46),     CHAMP(DUMP_U, 47),     CHAMP(DUMP_D, 48),
    CHAMP(DESA_U, 49),     CHAMP(DESA_D, 50),     CHAMP(B_AIDE, 53),     CHAMP(DESA_PC, 54),
    CHAMP(REG_A_HEX, 55),  CHAMP(REG_X_HEX, 56),  CHAMP(REG_PC_HEX, 57), CHAMP(REG_TMPA_HEX, 58),
    CHAMP(REG_TMPA_BIN, 59), CHAMP(REG_A_BIN, 62), CHAMP(REG_TMPA_DEC, 63),
    CHAMP(adresse_select, 64), CHAMP(valeur_select, 65), CHAMP(multiplicateur_select, 66),
    CHAMP(VALID_MEM, 67),
};
// clang-format on

TEST(FenetrePrincipale, ChaqueChampNommeLaLigneDeSonWidget) {
    SIM_class fenetre;
    ASSERT_EQ(fenetre.SIM->children(), 67);
    EXPECT_FALSE(fenetre.SIM->shown());
    EXPECT_EQ(fenetre.SIM->user_data(), &fenetre);
    for (const champ_attendu& c : champs)
        EXPECT_EQ(fenetre.SIM->find(c.lit(fenetre)), c.rang - 1) << c.nom;
}

enum classe { BOITE, BOUTON, RETOUR, SAISIE, CURSEUR, MENU };

bool est_de_classe(Fl_Widget* w, classe c) {
    switch (c) {
    case BOITE: return dynamic_cast<Fl_Box*>(w) != nullptr;
    case BOUTON: return dynamic_cast<Fl_Button*>(w) && !dynamic_cast<Fl_Return_Button*>(w);
    case RETOUR: return dynamic_cast<Fl_Return_Button*>(w) != nullptr;
    case SAISIE: return dynamic_cast<Fl_Input*>(w) != nullptr;
    case CURSEUR: return dynamic_cast<Fl_Slider*>(w) != nullptr;
    case MENU: return dynamic_cast<Fl_Menu_Button*>(w) != nullptr;
    }
    return false;
}

struct widget_attendu {
    int rang;
    classe genre;
    int x, y, w, h;
    const char* label; // nullptr: no label at all
    int boite, couleur, selection, police, taille, couleur_label, alignement;
};

// One row per style and per row with settings of its own; the rows left to the toolkit's
// defaults show the class's own values (a button's FL_UP_BOX, an input's colour 7).
// clang-format off
const widget_attendu widgets[] = {
    // rang classe   x    y    w    h    label                     box                 colour selection font size lcolour align
    {1,  BOITE,   0,   0,   648, 699, nullptr,                    FL_UP_BOX,          49,  49,  0,  14, 0,   FL_ALIGN_TOP_LEFT},
    {2,  BOITE,   20,  60,  610, 130, nullptr,                    FL_ENGRAVED_FRAME,  49,  49,  0,  14, 0,   FL_ALIGN_CENTER},
    {3,  BOITE,   40,  40,  170, 20,  "Registres generaux",       FL_FLAT_BOX,        49,  50,  0,  18, 0,   FL_ALIGN_LEFT | FL_ALIGN_INSIDE},
    {4,  BOITE,   30,  130, 70,  20,  "00000000",                 FL_DOWN_BOX,        49,  50,  4,  12, 0,   FL_ALIGN_INSIDE},
    {6,  BOITE,   288, 100, 70,  20,  "____NZVC",                 FL_DOWN_BOX,        49,  50,  4,  12, 0,   FL_ALIGN_INSIDE},
    {10, BOITE,   532, 70,  70,  20,  "PC",                       FL_FLAT_BOX,        49,  50,  8,  18, 0,   FL_ALIGN_INSIDE},
    {12, BOITE,   0,   0,   870, 40,  nullptr,                    FL_UP_BOX,          49,  49,  0,  14, 0,   FL_ALIGN_CENTER},
    {13, MENU,    20,  10,  70,  20,  "Fichier",                  FL_FLAT_BOX,        49,  50,  8,  18, 0,   FL_ALIGN_CENTER},
    {15, BOITE,   40,  430, 260, 20,  nullptr,                    FL_FLAT_BOX,        255, 50,  4,  14, 0,   FL_ALIGN_LEFT | FL_ALIGN_INSIDE},
    {17, BOITE,   30,  400, 280, 20,  "DESASSEMBLAGE",            FL_FLAT_BOX,        49,  50,  8,  14, 0,   FL_ALIGN_INSIDE},
    {19, CURSEUR, 610, 440, 20,  220, nullptr,                    FL_DOWN_BOX,        49,  49,  0,  8,  0,   FL_ALIGN_BOTTOM},
    {20, BOUTON,  60,  360, 40,  40,  "@square",                  FL_UP_BOX,          49,  49,  0,  20, 88,  FL_ALIGN_CENTER},
    {21, BOUTON,  100, 360, 40,  40,  "@>",                       FL_UP_BOX,          49,  49,  1,  24, 70,  FL_ALIGN_CENTER},
    {22, BOUTON,  140, 360, 40,  40,  "@->|",                     FL_UP_BOX,          49,  49,  0,  24, 62,  FL_ALIGN_CENTER},
    {23, BOUTON,  20,  360, 40,  40,  "@circle",                  FL_UP_BOX,          49,  49,  0,  20, 216, FL_ALIGN_CENTER},
    {34, BOITE,   40,  650, 260, 20,  nullptr,                    FL_FLAT_BOX,        255, 50,  4,  14, 0,   FL_ALIGN_LEFT | FL_ALIGN_INSIDE},
    {46, BOITE,   350, 650, 260, 20,  "FFFF FF FF FF FF FF FF FF FF", FL_FLAT_BOX,   255, 50,  4,  14, 0,   FL_ALIGN_LEFT | FL_ALIGN_INSIDE},
    {50, BOUTON,  10,  465, 20,  19,  "@2>",                      FL_UP_BOX,          49,  49,  0,  14, 0,   FL_ALIGN_CENTER},
    {52, BOITE,   40,  205, 210, 20,  "Registres d'entree sortie", FL_FLAT_BOX,       49,  50,  0,  18, 0,   FL_ALIGN_LEFT | FL_ALIGN_INSIDE},
    {53, BOUTON,  570, 11,  70,  12,  "AIDE...",                  FL_NO_BOX,          49,  49,  8,  14, 0,   FL_ALIGN_CENTER},
    {54, BOUTON,  9,   443, 20,  19,  "@>",                       FL_UP_BOX,          49,  49,  0,  14, 0,   FL_ALIGN_CENTER},
    {58, SAISIE,  159, 99,  69,  21,  nullptr,                    FL_DOWN_BOX,        49,  50,  4,  12, 0,   FL_ALIGN_LEFT},
    {60, BOITE,   157, 70,  70,  20,  "tmpA",                     FL_FLAT_BOX,        49,  50,  8,  18, 0,   FL_ALIGN_INSIDE},
    {64, SAISIE,  325, 370, 70,  20,  "adresse",                  FL_DOWN_BOX,        7,   15,  0,  14, 0,   FL_ALIGN_LEFT},
    {66, SAISIE,  530, 370, 50,  20,  "x",                        FL_DOWN_BOX,        7,   15,  0,  14, 0,   FL_ALIGN_LEFT},
    {67, RETOUR,  595, 370, 35,  20,  nullptr,                    FL_UP_BOX,          49,  49,  0,  14, 0,   FL_ALIGN_CENTER},
};
// clang-format on

std::string texte(const char* t) {
    return t ? '"' + std::string(t) + '"' : "(aucun)";
}

TEST(FenetrePrincipale, LignesDuTableau) {
    SIM_class fenetre;
    EXPECT_EQ(fenetre.SIM->box(), FL_NO_BOX);
    EXPECT_EQ(fenetre.SIM->labelfont(), FL_TIMES);
    EXPECT_EQ(texte(fenetre.SIM->label()), texte("SIM"));
    EXPECT_EQ(fenetre.SIM->w(), 645);
    EXPECT_EQ(fenetre.SIM->h(), 695);
    for (const widget_attendu& a : widgets) {
        SCOPED_TRACE("ligne " + std::to_string(a.rang));
        Fl_Widget* w = fenetre.SIM->child(a.rang - 1);
        EXPECT_TRUE(est_de_classe(w, a.genre));
        EXPECT_EQ(w->x(), a.x);
        EXPECT_EQ(w->y(), a.y);
        EXPECT_EQ(w->w(), a.w);
        EXPECT_EQ(w->h(), a.h);
        EXPECT_EQ(texte(w->label()), texte(a.label));
        EXPECT_EQ(w->box(), a.boite);
        EXPECT_EQ(w->color(), static_cast<Fl_Color>(a.couleur));
        EXPECT_EQ(w->selection_color(), static_cast<Fl_Color>(a.selection));
        EXPECT_EQ(w->labelfont(), a.police);
        EXPECT_EQ(w->labelsize(), a.taille);
        EXPECT_EQ(w->labelcolor(), static_cast<Fl_Color>(a.couleur_label));
        EXPECT_EQ(w->align(), static_cast<Fl_Align>(a.alignement));
        EXPECT_EQ(w->callback(), Fl_Widget::default_callback);
    }
}

struct port_attendu {
    const char* nom;
    int x, y;
};

const port_attendu ports[] = {{"PortA", 40, 240}, {"PortB", 170, 240}, {"PortC", 300, 240}};

TEST(FenetrePrincipale, LesPortsSuiventLesSoixanteSeptEnfants) {
    auto sim = nouveau_simulateur();
    Fl_Double_Window* fenetre = sim->SIM->SIM;
    ASSERT_EQ(fenetre->children(), 97 + 5 + 3);
    EXPECT_TRUE(fenetre->shown());
    EXPECT_EQ(texte(fenetre->label()), texte("Machine a accumulateur"));
    EXPECT_EQ(fenetre->resizable(), fenetre);
    portparallele* const objets[] = {&sim->portA, &sim->portB, &sim->portC};
    for (int p = 0; p < 3; p++) {
        const port_attendu& a = ports[p];
        SCOPED_TRACE(a.nom);
        int premier = 67 + 10 * p;
        Fl_Widget* titre = fenetre->child(premier);
        EXPECT_NE(dynamic_cast<Fl_FormsText*>(titre), nullptr);
        EXPECT_EQ(texte(titre->label()), texte(a.nom));
        EXPECT_EQ(titre->x(), a.x);
        EXPECT_EQ(titre->y(), a.y);
        EXPECT_EQ(titre->w(), 80);
        EXPECT_EQ(titre->h(), 20);
        EXPECT_EQ(titre->box(), FL_NO_BOX);
        EXPECT_EQ(titre->labelsize(), 18);
        EXPECT_EQ(titre->labelfont(), FL_HELVETICA_BOLD);
        EXPECT_EQ(titre->align(), FL_ALIGN_INSIDE);

        Fl_Widget* affichage = fenetre->child(premier + 1);
        EXPECT_EQ(affichage, objets[p]->obj_port_valeur);
        EXPECT_NE(dynamic_cast<Fl_FormsText*>(affichage), nullptr);
        EXPECT_EQ(texte(affichage->label()), texte("00"));
        EXPECT_EQ(affichage->x(), a.x);
        EXPECT_EQ(affichage->y(), a.y + 20);
        EXPECT_EQ(affichage->box(), FL_DOWN_BOX);
        EXPECT_EQ(affichage->labelsize(), 14);
        EXPECT_EQ(affichage->align(), FL_ALIGN_INSIDE);

        for (int n = 0; n < 8; n++) {
            Fl_Widget* bouton = fenetre->child(premier + 2 + n);
            SCOPED_TRACE("bit " + std::to_string(n));
            EXPECT_EQ(bouton, objets[p]->ES[n]);
            EXPECT_NE(dynamic_cast<Fl_Button*>(bouton), nullptr);
            EXPECT_EQ(bouton->x(), a.x + 70 - 10 * n);
            EXPECT_EQ(bouton->y(), a.y + 40);
            EXPECT_EQ(bouton->w(), 10);
            EXPECT_EQ(bouton->h(), 10);
            EXPECT_EQ(texte(bouton->label()), texte(""));
            EXPECT_EQ(bouton->box(), FL_EMBOSSED_BOX);
            EXPECT_EQ(bouton->callback(), Fl_Widget::default_callback);
        }
    }
}

struct ligne_apropos {
    int x, y, w, h;
    const char* texte; // nullptr: a credit line, whose wording is our own
};

// clang-format off
const ligne_apropos apropos[] = {
    {0,   0,   438, 384, nullptr}, // the raised background
    {21,  21,  399, 348, nullptr}, // the frame
    {25,  30,  390, 21,  "quorvel version 5.0.4"},
    {40,  60,  340, 20,  "Simulateur d'une machine a accumulateur "},
    {30,  81,  385, 20,  nullptr},
    {30,  130, 380, 20,  nullptr},
    {30,  110, 380, 20,  nullptr},
    {183, 333, 72,  24,  "OK"},
    {30,  150, 380, 20,  "Mise \xc3\xa0 jour en 1999 par:"},
    {30,  170, 380, 20,  nullptr},
    {30,  190, 380, 20,  "Mise \xc3\xa0 jour en 2000 par:"},
    {30,  210, 380, 20,  nullptr},
    {30,  230, 380, 20,  "Mise \xc3\xa0 jour en 2002,"},
    {30,  309, 380, 20,  nullptr},
    {30,  248, 380, 20,  "Refonte des codes en 2003-2005  par:"},
    {30,  270, 380, 20,  nullptr},
    {30,  289, 380, 20,  "changement d'interpreteur pour mac: 09/2008 par:"},
};
// clang-format on

TEST(FenetreAPropos, Lignes) {
    form_about_class apropos_fenetre;
    Fl_Double_Window* f = apropos_fenetre.form_about;
    EXPECT_EQ(texte(f->label()), texte("form_about"));
    EXPECT_EQ(f->w(), 435);
    EXPECT_EQ(f->h(), 380);
    EXPECT_EQ(f->box(), FL_NO_BOX);
    EXPECT_EQ(f->user_data(), &apropos_fenetre);
    ASSERT_EQ(f->children(), 17);
    for (int i = 0; i < 17; i++) {
        const ligne_apropos& a = apropos[i];
        Fl_Widget* w = f->child(i);
        SCOPED_TRACE("ligne " + std::to_string(i + 1));
        EXPECT_EQ(w->x(), a.x);
        EXPECT_EQ(w->y(), a.y);
        EXPECT_EQ(w->w(), a.w);
        EXPECT_EQ(w->h(), a.h);
        bool texte_de_boite = i >= 2 && i != 7;
        if (a.texte) {
            EXPECT_EQ(texte(w->label()), texte(a.texte));
        }
        if (!texte_de_boite) continue;
        if (!a.texte) {
            EXPECT_GT(std::strlen(w->label() ? w->label() : ""), 0u);
        }
        EXPECT_EQ(w->box(), FL_FLAT_BOX);
        EXPECT_EQ(w->selection_color(), FL_LIGHT1);
        EXPECT_EQ(w->align(), FL_ALIGN_INSIDE);
        EXPECT_EQ(w->labelfont(), i == 2 ? FL_TIMES_BOLD : FL_TIMES);
        EXPECT_EQ(w->labelsize(), i == 2 ? 20 : 14);
    }
    EXPECT_NE(dynamic_cast<Fl_Button*>(f->child(7)), nullptr);
    EXPECT_EQ(f->child(7)->labelfont(), FL_TIMES);
}

// The Help window lists every instruction from the processor's own tables.
struct instruction_aide {
    const char* mnemonique;
    const char* octet;
    const char* modes;
    const char* drapeaux;
};

const instruction_aide instructions[] = {
    {"LOAD", "$00", "immediat direct indexe", "NZ"}, {"STORE", "$04", "direct indexe", "NZ"},
    {"TAXL", "$08", "sans operande", "NZ"},          {"MUL", "$20", "immediat direct indexe", "NZ"},
    {"ASR", "$44", "sans operande", "NZC"},          {"BEQ", "$50", "deplacement 16 bits", "-"},
    {"B", "$78", "deplacement 16 bits", "-"},        {"NOP", "$7C", "sans operande", "-"},
};

std::string ligne_de(Fl_Browser* navigateur, const std::string& mnemonique) {
    for (int i = 1; i <= navigateur->size(); i++) {
        std::string ligne = navigateur->text(i);
        if (ligne.rfind("@f" + mnemonique + " ", 0) == 0) return ligne;
    }
    return "";
}

TEST(FenetreAide, ListeLesInstructions) {
    aide_class vide;
    EXPECT_EQ(texte(vide.aide->label()), texte("aide"));
    EXPECT_EQ(vide.aide->w(), 610);
    EXPECT_EQ(vide.aide->h(), 480);
    EXPECT_EQ(vide.aide->box(), FL_NO_BOX);
    ASSERT_EQ(vide.aide->children(), 3);
    EXPECT_EQ(vide.aide->child(1), vide.TEXTE_AIDE);
    EXPECT_EQ(vide.TEXTE_AIDE->color(), FL_WHITE);
    EXPECT_EQ(vide.TEXTE_AIDE->selection_color(), FL_YELLOW);
    Fl_Widget* fermer = bouton_fermer_aide(vide);
    EXPECT_EQ(texte(fermer->label()), texte("Fermer"));
    EXPECT_EQ(fermer->x(), 260);
    EXPECT_EQ(fermer->y(), 440);

    // The text as the window shows it, once however often it is opened.
    auto sim = nouveau_simulateur();
    capture_erreur silence;
    passe_avec(*sim, sim->SIM->B_AIDE);
    int lignes_apres_une = sim->aide->TEXTE_AIDE->size();
    passe_avec(*sim, sim->SIM->B_AIDE);
    EXPECT_EQ(sim->aide->TEXTE_AIDE->size(), lignes_apres_une);
    aide_class& aide = *sim->aide;
    for (const instruction_aide& i : instructions) {
        std::string ligne = ligne_de(aide.TEXTE_AIDE, i.mnemonique);
        ASSERT_FALSE(ligne.empty()) << i.mnemonique;
        // Columns: mnemonic, byte, modes, flags, separated by blanks.
        std::string attendu = std::string(i.octet) + " ";
        EXPECT_NE(ligne.find(" " + attendu), std::string::npos) << ligne;
        EXPECT_NE(ligne.find(" " + std::string(i.modes) + " "), std::string::npos) << ligne;
        EXPECT_EQ(ligne.substr(ligne.find_last_of(' ') + 1), i.drapeaux) << ligne;
    }
    for (int n = 0; n < NB_INSTRUCTIONS; n++)
        EXPECT_FALSE(
            ligne_de(aide.TEXTE_AIDE, internal_mac_interpreteur_libelle_instruction[n]).empty())
            << internal_mac_interpreteur_libelle_instruction[n];
    // A leading '@' is a format code to the browser: only the known ones may start a line.
    for (int i = 1; i <= aide.TEXTE_AIDE->size(); i++) {
        std::string ligne = aide.TEXTE_AIDE->text(i);
        if (ligne.empty() || ligne[0] != '@') continue;
        EXPECT_NE(std::string("bcf").find(ligne[1]), std::string::npos) << ligne;
    }
}

} // namespace
