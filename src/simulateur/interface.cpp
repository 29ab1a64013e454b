#include "interface.h"

#include <FL/Enumerations.H>
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Menu_Button.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Slider.H>

namespace {

// The windows are data: each widget is one row (class, place, label, style), created in the
// rows' order, which is also the toolkit's drawing order.

constexpr int D = -1; // keep the toolkit's default for the class

struct style_widget {
    int boite;
    int couleur;
    int selection;
    int police;
    int taille;
    int couleur_label;
    int alignement;
    int genre;
    int police_texte; // inputs only
    int taille_texte; // inputs only
};

constexpr int GAUCHE_DEDANS = FL_ALIGN_LEFT | FL_ALIGN_INSIDE;

// clang-format off
//                        box                colour               selection  font               size colour align              type text font  text size
const style_widget DEFAUT = {D,                D,                   D,         D,                 D,   D,        D,                 D,   D,          D};
const style_widget R      = {FL_DOWN_BOX,      D,                   FL_LIGHT1, FL_COURIER,        12,  D,        FL_ALIGN_INSIDE,   D,   D,          D};
const style_widget H      = {FL_FLAT_BOX,      D,                   FL_LIGHT1, FL_TIMES,          18,  D,        FL_ALIGN_INSIDE,   D,   D,          D};
const style_widget T      = {FL_FLAT_BOX,      D,                   FL_LIGHT1, D,                 18,  D,        GAUCHE_DEDANS,     D,   D,          D};
const style_widget V      = {FL_FLAT_BOX,      D,                   FL_LIGHT1, FL_TIMES,          D,   D,        FL_ALIGN_INSIDE,   D,   D,          D};
const style_widget L      = {FL_FLAT_BOX,      FL_WHITE,            FL_LIGHT1, FL_COURIER,        D,   D,        GAUCHE_DEDANS,     D,   D,          D};
const style_widget E      = {D,                FL_BACKGROUND_COLOR, FL_LIGHT1, FL_COURIER,        12,  D,        D,                 D,   FL_COURIER, 12};
const style_widget FOND   = {FL_UP_BOX,        D,                   D,         D,                 D,   D,        FL_ALIGN_TOP_LEFT, D,   D,          D};
const style_widget BOSSE  = {FL_UP_BOX,        D,                   D,         D,                 D,   D,        D,                 D,   D,          D};
const style_widget CREUX  = {FL_DOWN_BOX,      D,                   D,         D,                 D,   D,        D,                 D,   D,          D};
const style_widget CADRE  = {FL_ENGRAVED_FRAME,D,                   D,         D,                 D,   D,        D,                 D,   D,          D};
const style_widget MENU   = {FL_FLAT_BOX,      D,                   FL_LIGHT1, FL_TIMES,          18,  D,        D,                 D,   D,          D};
const style_widget GLISSE = {D,                D,                   D,         D,                 8,   D,        D,                 FL_VERT_NICE_SLIDER, D, D};
const style_widget STOP   = {D,                D,                   D,         D,                 20,  FL_RED,   D,                 D,   D,          D};
const style_widget PLAY   = {D,                D,                   D,         FL_HELVETICA_BOLD, 24,  70,       D,                 D,   D,          D};
const style_widget STEP   = {D,                D,                   D,         D,                 24,  62,       D,                 D,   D,          D};
const style_widget RESET  = {D,                D,                   D,         D,                 20,  FL_BLUE,  D,                 D,   D,          D};
const style_widget AIDE   = {FL_NO_BOX,        D,                   D,         FL_TIMES,          D,   D,        D,                 D,   D,          D};
const style_widget TITRE_APROPOS = {FL_FLAT_BOX, D,                 FL_LIGHT1, FL_TIMES_BOLD,     20,  D,        FL_ALIGN_INSIDE,   D,   D,          D};
const style_widget TEXTE_APROPOS = {FL_FLAT_BOX, D,                 FL_LIGHT1, FL_TIMES,          D,   D,        FL_ALIGN_INSIDE,   D,   D,          D};
const style_widget BOUTON_APROPOS = {D,        D,                   D,         FL_TIMES,          D,   D,        D,                 D,   D,          D};
const style_widget NAVIGATEUR_AIDE = {FL_DOWN_BOX, FL_WHITE,        FL_YELLOW, D,                 D,   D,        D,                 D,   D,          D};
// clang-format on

// A disassembly line: a box that a left-button press queues, so that the loop can set a
// breakpoint at its address.
class ligne_cliquable : public Fl_Box {
  public:
    ligne_cliquable(int x, int y, int w, int h, const char* l) : Fl_Box(x, y, w, h, l) {}
    int handle(int evenement) override {
        if (evenement != FL_PUSH || Fl::event_button() != FL_LEFT_MOUSE)
            return Fl_Box::handle(evenement);
        do_callback();
        return 1;
    }
};

enum classe_widget {
    BOITE,
    BOUTON,
    BOUTON_RETOUR,
    SAISIE,
    CURSEUR,
    MENU_BOUTON,
    NAVIGATEUR,
    LIGNE_DESA
};

typedef Fl_Widget* (*constructeur_widget)(int x, int y, int w, int h, const char* label);

// Indexed by classe_widget.
const constructeur_widget constructeurs[] = {
    [](int x, int y, int w, int h, const char* l) -> Fl_Widget* {
        return new Fl_Box(x, y, w, h, l);
    },
    [](int x, int y, int w, int h, const char* l) -> Fl_Widget* {
        return new Fl_Button(x, y, w, h, l);
    },
    [](int x, int y, int w, int h, const char* l) -> Fl_Widget* {
        return new Fl_Return_Button(x, y, w, h, l);
    },
    [](int x, int y, int w, int h, const char* l) -> Fl_Widget* {
        return new Fl_Input(x, y, w, h, l);
    },
    [](int x, int y, int w, int h, const char* l) -> Fl_Widget* {
        return new Fl_Slider(x, y, w, h, l);
    },
    [](int x, int y, int w, int h, const char* l) -> Fl_Widget* {
        return new Fl_Menu_Button(x, y, w, h, l);
    },
    [](int x, int y, int w, int h, const char* l) -> Fl_Widget* {
        return new Fl_Browser(x, y, w, h, l);
    },
    [](int x, int y, int w, int h, const char* l) -> Fl_Widget* {
        return new ligne_cliquable(x, y, w, h, l);
    },
};

// Stores the new widget in its field of SIM_class, with the field's own type.
typedef void (*liaison_champ)(SIM_class&, Fl_Widget*);
#define CHAMP(nom) [](SIM_class& s, Fl_Widget* w) { s.nom = static_cast<decltype(s.nom)>(w); }

struct ligne_widget {
    classe_widget classe;
    int x, y, w, h;
    const char* label; // null: no label at all, which is not the empty text
    const style_widget* style;
    liaison_champ champ; // null: the widget belongs to the window alone
};

void applique_style(Fl_Widget* w, const style_widget& s, classe_widget classe) {
    if (s.boite != D) w->box(static_cast<Fl_Boxtype>(s.boite));
    if (s.couleur != D) w->color(static_cast<Fl_Color>(s.couleur));
    if (s.selection != D) w->selection_color(static_cast<Fl_Color>(s.selection));
    if (s.police != D) w->labelfont(s.police);
    if (s.taille != D) w->labelsize(s.taille);
    if (s.couleur_label != D) w->labelcolor(static_cast<Fl_Color>(s.couleur_label));
    if (s.alignement != D) w->align(static_cast<Fl_Align>(s.alignement));
    if (s.genre != D) w->type(static_cast<uchar>(s.genre));
    if (classe != SAISIE) return;
    Fl_Input* saisie = static_cast<Fl_Input*>(w);
    if (s.police_texte != D) saisie->textfont(s.police_texte);
    if (s.taille_texte != D) saisie->textsize(s.taille_texte);
}

Fl_Widget* construit(const ligne_widget& ligne) {
    Fl_Widget* w = constructeurs[ligne.classe](ligne.x, ligne.y, ligne.w, ligne.h, ligne.label);
    applique_style(w, *ligne.style, ligne.classe);
    return w;
}

const char* const DUMP_INITIAL = "FFFF FF FF FF FF FF FF FF FF";

// clang-format off
const ligne_widget lignes_SIM[] = {
    {BOITE,         0,   0,   648, 699, nullptr,                     &FOND,    nullptr},               //  1
    {BOITE,         20,  60,  610, 130, nullptr,                     &CADRE,   nullptr},               //  2
    {BOITE,         40,  40,  170, 20,  "Registres generaux",        &T,       nullptr},               //  3
    {BOITE,         30,  130, 70,  20,  "00000000",                  &R,       CHAMP(REG_A_DEC)},      //  4
    {BOITE,         287, 70,  70,  20,  "CCR",                       &H,       nullptr},               //  5
    {BOITE,         288, 100, 70,  20,  "____NZVC",                  &R,       nullptr},               //  6
    {BOITE,         288, 130, 70,  20,  "0000",                      &R,       CHAMP(REG_CCR_BIN)},    //  7
    {BOITE,         413, 70,  70,  20,  "X",                         &H,       nullptr},               //  8
    {BOITE,         413, 130, 70,  20,  "65535",                     &R,       CHAMP(REG_X_DEC)},      //  9
    {BOITE,         532, 70,  70,  20,  "PC",                        &H,       nullptr},               // 10
    {BOITE,         532, 130, 70,  20,  "65535",                     &R,       CHAMP(REG_PC_DEC)},     // 11
    {BOITE,         0,   0,   870, 40,  nullptr,                     &BOSSE,   nullptr},               // 12
    {MENU_BOUTON,   20,  10,  70,  20,  "Fichier",                   &MENU,    CHAMP(m_fichier)},      // 13
    {BOITE,         30,  420, 280, 260, nullptr,                     &CREUX,   nullptr},               // 14
    {LIGNE_DESA,    40,  430, 260, 20,  nullptr,                     &L,       CHAMP(DESA01)},         // 15
    {BOITE,         345, 420, 265, 260, nullptr,                     &CREUX,   nullptr},               // 16
    {BOITE,         30,  400, 280, 20,  "DESASSEMBLAGE",             &V,       nullptr},               // 17
    {BOITE,         340, 400, 280, 20,  "DUMP MEMOIRE",              &V,       nullptr},               // 18
    {CURSEUR,       610, 440, 20,  220, nullptr,                     &GLISSE,  CHAMP(DUMP_SLIDE)},     // 19
    {BOUTON,        60,  360, 40,  40,  "@square",                   &STOP,    CHAMP(B_STOP)},         // 20
    {BOUTON,        100, 360, 40,  40,  "@>",                        &PLAY,    CHAMP(B_PLAY)},         // 21
    {BOUTON,        140, 360, 40,  40,  "@->|",                      &STEP,    CHAMP(B_STEP)},         // 22
    {BOUTON,        20,  360, 40,  40,  "@circle",                   &RESET,   CHAMP(B_RESET)},        // 23
    {LIGNE_DESA,    40,  450, 260, 20,  nullptr,                     &L,       CHAMP(DESA02)},         // 24
    {LIGNE_DESA,    40,  470, 260, 20,  nullptr,                     &L,       CHAMP(DESA03)},         // 25
    {LIGNE_DESA,    40,  490, 260, 20,  nullptr,                     &L,       CHAMP(DESA04)},         // 26
    {LIGNE_DESA,    40,  510, 260, 20,  nullptr,                     &L,       CHAMP(DESA05)},         // 27
    {LIGNE_DESA,    40,  530, 260, 20,  nullptr,                     &L,       CHAMP(DESA06)},         // 28
    {LIGNE_DESA,    40,  550, 260, 20,  nullptr,                     &L,       CHAMP(DESA07)},         // 29
    {LIGNE_DESA,    40,  570, 260, 20,  nullptr,                     &L,       CHAMP(DESA08)},         // 30
    {LIGNE_DESA,    40,  590, 260, 20,  nullptr,                     &L,       CHAMP(DESA09)},         // 31
    {LIGNE_DESA,    40,  610, 260, 20,  nullptr,                     &L,       CHAMP(DESA10)},         // 32
    {LIGNE_DESA,    40,  630, 260, 20,  nullptr,                     &L,       CHAMP(DESA11)},         // 33
    {LIGNE_DESA,    40,  650, 260, 20,  nullptr,                     &L,       CHAMP(DESA12)},         // 34
    {BOITE,         350, 430, 260, 20,  DUMP_INITIAL,                &L,       CHAMP(DUMP01)},         // 35
    {BOITE,         350, 450, 260, 20,  DUMP_INITIAL,                &L,       CHAMP(DUMP02)},         // 36
    {BOITE,         350, 470, 260, 20,  DUMP_INITIAL,                &L,       CHAMP(DUMP03)},         // 37
    {BOITE,         350, 490, 260, 20,  DUMP_INITIAL,                &L,       CHAMP(DUMP04)},         // 38
    {BOITE,         350, 510, 260, 20,  DUMP_INITIAL,                &L,       CHAMP(DUMP05)},         // 39
    {BOITE,         350, 530, 260, 20,  DUMP_INITIAL,                &L,       CHAMP(DUMP06)},         // 40
    {BOITE,         350, 550, 260, 20,  DUMP_INITIAL,                &L,       CHAMP(DUMP07)},         // 41
    {BOITE,         350, 570, 260, 20,  DUMP_INITIAL,                &L,       CHAMP(DUMP08)},         // 42
    {BOITE,         350, 590, 260, 20,  DUMP_INITIAL,                &L,       CHAMP(DUMP09)},         // 43
    {BOITE,         350, 610, 260, 20,  DUMP_INITIAL,                &L,       CHAMP(DUMP10)},         // 44
    {BOITE,         350, 630, 260, 20,  DUMP_INITIAL,                &L,       CHAMP(DUMP11)},         // 45
    {BOITE,         350, 650, 260, 20,  DUMP_INITIAL,                &L,       CHAMP(DUMP12)},         // 46
    {BOUTON,        610, 420, 20,  20,  "@8>",                       &DEFAUT,  CHAMP(DUMP_U)},         // 47
    {BOUTON,        610, 660, 20,  20,  "@2>",                       &DEFAUT,  CHAMP(DUMP_D)},         // 48
    {BOUTON,        10,  420, 20,  20,  "@8>",                       &DEFAUT,  CHAMP(DESA_U)},         // 49
    {BOUTON,        10,  465, 20,  19,  "@2>",                       &DEFAUT,  CHAMP(DESA_D)},         // 50
    {BOITE,         20,  230, 610, 115, nullptr,                     &CADRE,   nullptr},               // 51
    {BOITE,         40,  205, 210, 20,  "Registres d'entree sortie", &T,       nullptr},               // 52
    {BOUTON,        570, 11,  70,  12,  "AIDE...",                   &AIDE,    CHAMP(B_AIDE)},         // 53
    {BOUTON,        9,   443, 20,  19,  "@>",                        &DEFAUT,  CHAMP(DESA_PC)},        // 54
    {SAISIE,        30,  99,  69,  21,  nullptr,                     &E,       CHAMP(REG_A_HEX)},      // 55
    {SAISIE,        414, 99,  69,  21,  nullptr,                     &E,       CHAMP(REG_X_HEX)},      // 56
    {SAISIE,        533, 99,  69,  21,  nullptr,                     &E,       CHAMP(REG_PC_HEX)},     // 57
    {SAISIE,        159, 99,  69,  21,  nullptr,                     &E,       CHAMP(REG_TMPA_HEX)},   // 58
    {BOITE,         158, 160, 70,  20,  "00000000",                  &R,       CHAMP(REG_TMPA_BIN)},   // 59
    {BOITE,         157, 70,  70,  20,  "tmpA",                      &H,       nullptr},               // 60
    {BOITE,         30,  70,  70,  20,  "A",                         &H,       nullptr},               // 61
    {BOITE,         30,  160, 70,  20,  "00000000",                  &R,       CHAMP(REG_A_BIN)},      // 62
    {BOITE,         159, 130, 70,  20,  "00000000",                  &R,       CHAMP(REG_TMPA_DEC)},   // 63
    {SAISIE,        325, 370, 70,  20,  "adresse",                   &DEFAUT,  CHAMP(adresse_select)}, // 64
    {SAISIE,        440, 370, 75,  20,  "valeur",                    &DEFAUT,  CHAMP(valeur_select)},  // 65
    {SAISIE,        530, 370, 50,  20,  "x",                         &DEFAUT,  CHAMP(multiplicateur_select)}, // 66
    {BOUTON_RETOUR, 595, 370, 35,  20,  nullptr,                     &DEFAUT,  CHAMP(VALID_MEM)},      // 67
};

// The credit lines name no one: the program's history is told without names.
const char* const EQUIPE = "l'equipe pedagogique";

const ligne_widget lignes_apropos[] = {
    {BOITE,  0,   0,   438, 384, nullptr,                                   &BOSSE,          nullptr}, //  1
    {BOITE,  21,  21,  399, 348, nullptr,                                   &CADRE,          nullptr}, //  2
    {BOITE,  25,  30,  390, 21,  "quorvel version 5.0.4",                   &TITRE_APROPOS,  nullptr}, //  3
    {BOITE,  40,  60,  340, 20,  "Simulateur d'une machine a accumulateur ", &TEXTE_APROPOS, nullptr}, //  4
    {BOITE,  30,  81,  385, 20,  "Construit sur un simulateur d'enseignement anterieur", &TEXTE_APROPOS, nullptr}, //  5
    {BOITE,  30,  130, 380, 20,  EQUIPE,                                    &TEXTE_APROPOS,  nullptr}, //  6
    {BOITE,  30,  110, 380, 20,  "Projet d'origine:",                       &TEXTE_APROPOS,  nullptr}, //  7
    {BOUTON, 183, 333, 72,  24,  "OK",                                      &BOUTON_APROPOS, nullptr}, //  8
    {BOITE,  30,  150, 380, 20,  "Mise à jour en 1999 par:",                &TEXTE_APROPOS,  nullptr}, //  9
    {BOITE,  30,  170, 380, 20,  EQUIPE,                                    &TEXTE_APROPOS,  nullptr}, // 10
    {BOITE,  30,  190, 380, 20,  "Mise à jour en 2000 par:",                &TEXTE_APROPOS,  nullptr}, // 11
    {BOITE,  30,  210, 380, 20,  EQUIPE,                                    &TEXTE_APROPOS,  nullptr}, // 12
    {BOITE,  30,  230, 380, 20,  "Mise à jour en 2002,",                    &TEXTE_APROPOS,  nullptr}, // 13
    {BOITE,  30,  309, 380, 20,  EQUIPE,                                    &TEXTE_APROPOS,  nullptr}, // 14
    {BOITE,  30,  248, 380, 20,  "Refonte des codes en 2003-2005  par:",    &TEXTE_APROPOS,  nullptr}, // 15
    {BOITE,  30,  270, 380, 20,  EQUIPE,                                    &TEXTE_APROPOS,  nullptr}, // 16
    {BOITE,  30,  289, 380, 20,  "changement d'interpreteur pour mac: 09/2008 par:", &TEXTE_APROPOS, nullptr}, // 17
};

const ligne_widget lignes_aide[] = {
    {BOITE,      0,   0,   610, 480, nullptr,  &BOSSE,           nullptr}, // 1
    {NAVIGATEUR, 10,  10,  590, 420, nullptr,  &NAVIGATEUR_AIDE, nullptr}, // 2
    {BOUTON,     260, 440, 80,  30,  "Fermer", &DEFAUT,          nullptr}, // 3
};
// clang-format on

Fl_Double_Window* nouvelle_fenetre(int w, int h, const char* label, void* objet) {
    Fl_Double_Window* fenetre = new Fl_Double_Window(w, h, label);
    fenetre->box(FL_NO_BOX);
    fenetre->user_data(objet);
    return fenetre;
}

} // namespace

SIM_class::SIM_class() {
    SIM = nouvelle_fenetre(645, 695, "SIM", this);
    SIM->labelfont(FL_TIMES);
    for (const ligne_widget& ligne : lignes_SIM) {
        Fl_Widget* w = construit(ligne);
        if (ligne.champ) ligne.champ(*this, w);
    }
    SIM->end();
}

form_about_class::form_about_class() {
    form_about = nouvelle_fenetre(435, 380, "form_about", this);
    for (const ligne_widget& ligne : lignes_apropos) construit(ligne);
    form_about->end();
}

aide_class::aide_class() : largeur_texte(0) {
    aide = nouvelle_fenetre(610, 480, "aide", this);
    Fl_Widget* enfants[3];
    int n = 0;
    for (const ligne_widget& ligne : lignes_aide) enfants[n++] = construit(ligne);
    TEXTE_AIDE = static_cast<Fl_Browser*>(enfants[1]);
    aide->end();
}

void aide_class::dispose(int largeur) {
    const ligne_widget& fond = lignes_aide[0];
    const ligne_widget& texte = lignes_aide[1];
    const ligne_widget& fermer = lignes_aide[2];
    int marge = fond.w - texte.w; // the text's margins, left and right
    aide->size(largeur, fond.h);
    aide->child(0)->resize(0, 0, largeur, fond.h);
    TEXTE_AIDE->resize(texte.x, texte.y, largeur - marge, texte.h);
    // As at full width, where the button sits 5 pixels left of the window's middle.
    int decalage = fond.w / 2 - (fermer.x + fermer.w / 2);
    bouton_fermer_aide(*this)->resize(largeur / 2 - decalage - fermer.w / 2, fermer.y, fermer.w,
                                      fermer.h);
}

Fl_Widget* bouton_fermer_aide(const aide_class& fenetre) {
    return fenetre.aide->child(2);
}
