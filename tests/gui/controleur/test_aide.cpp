// The Help window: where it opens beside the main window, its text wrapped to its width, and what
// the text tells (keys, breakpoints, step back, speed, the assembler, one row per instruction).
// First: the toolkit's headers bring X11 macros (None, Bool) that clash with GoogleTest's names.
#include <gtest/gtest.h>

#include "outils.h"

#include "coupure.h"
#include "fenetre_aide.h"
#include "texte_aide.h"

#include <FL/Fl.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/x.H>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string texte(const rectangle& r) {
    return std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.w) + "x" +
           std::to_string(r.h);
}

struct placement {
    const char* nom;
    rectangle ecran;
    rectangle principale;
    cadre bords;
    rectangle attendu;
    bool a_cote; // false: no room on either side
};

const cadre SANS_GESTIONNAIRE = {1, 1, 20, 1}; // what the toolkit keeps on screen by itself
const cadre AVEC_CADRE = {4, 4, 28, 4};

// clang-format off
const placement placements[] = {
    {"1920x1080, principale centree: a droite, pleine largeur",
     {0, 0, 1920, 1080},    {637, 192, 645, 695},  SANS_GESTIONNAIRE, {1284, 192, 610, 480}, true},
    {"avec un cadre de gestionnaire de fenetres",
     {0, 0, 1920, 1080},    {637, 192, 645, 695},  AVEC_CADRE,        {1290, 192, 610, 480}, true},
    {"place a droite entre 360 et 610: retrecie",
     {0, 0, 1280, 1024},    {200, 100, 645, 695},  SANS_GESTIONNAIRE, {847, 100, 432, 480},  true},
    {"exactement 360 a droite: a droite",
     {0, 0, 1280, 1024},    {272, 100, 645, 695},  SANS_GESTIONNAIRE, {919, 100, 360, 480},  true},
    {"359 a droite, de la place a gauche: a gauche",
     {0, 0, 1700, 1024},    {693, 100, 645, 695},  SANS_GESTIONNAIRE, {81, 100, 610, 480},   true},
    {"seulement a gauche: pleine largeur",
     {0, 0, 1280, 1024},    {700, 100, 645, 695},  SANS_GESTIONNAIRE, {88, 100, 610, 480},   true},
    {"seulement a gauche, retrecie",
     {0, 0, 1280, 1024},    {390, 100, 645, 695},  SANS_GESTIONNAIRE, {1, 100, 387, 480},    true},
    {"ni a droite ni a gauche: contre le bord droit de l'ecran",
     {0, 0, 1280, 1024},    {317, 164, 645, 695},  SANS_GESTIONNAIRE, {669, 164, 610, 480},  false},
    {"second ecran a droite du premier",
     {1920, 0, 1280, 1024}, {2000, 50, 645, 695},  SANS_GESTIONNAIRE, {2647, 50, 552, 480},  true},
    {"zone de travail sous une barre de 30 pixels",
     {0, 30, 1920, 1050},   {637, 30, 645, 695},   AVEC_CADRE,        {1290, 58, 610, 480},  true},
    {"principale basse: remontee pour tenir dans l'ecran",
     {0, 0, 1920, 1080},    {637, 700, 645, 695},  SANS_GESTIONNAIRE, {1284, 599, 610, 480}, true},
    {"ecran plus etroit que 610: toute sa largeur",
     {0, 0, 500, 800},      {0, 50, 645, 695},     SANS_GESTIONNAIRE, {1, 50, 498, 480},     false},
    {"ecran plus etroit que 360: 360 quand meme",
     {0, 0, 300, 800},      {0, 50, 645, 695},     SANS_GESTIONNAIRE, {-61, 50, 360, 480},   false},
};
// clang-format on

rectangle exterieur(const rectangle& r, const cadre& c) {
    return {r.x - c.gauche, r.y - c.haut, r.w + c.gauche + c.droite, r.h + c.haut + c.bas};
}

bool se_recouvrent(const rectangle& a, const rectangle& b) {
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

TEST(PlaceAide, AcoteDeLaFenetrePrincipale) {
    for (const placement& p : placements) {
        SCOPED_TRACE(p.nom);
        rectangle r = place_aide(p.ecran, p.principale, p.bords);
        EXPECT_EQ(texte(r), texte(p.attendu));
        EXPECT_EQ(r.h, AIDE_HAUTEUR);
        EXPECT_GE(r.w, AIDE_LARGEUR_MIN);
        EXPECT_LE(r.w, AIDE_LARGEUR);
        // Beside it, frames included, and on the screen.
        rectangle e = exterieur(r, p.bords);
        if (p.a_cote) {
            EXPECT_FALSE(se_recouvrent(e, exterieur(p.principale, p.bords))) << texte(e);
        }
        if (p.ecran.w >= AIDE_LARGEUR_MIN + 2) {
            EXPECT_GE(e.x, p.ecran.x);
            EXPECT_LE(e.x + e.w, p.ecran.x + p.ecran.w);
        }
        EXPECT_LE(e.y + e.h, p.ecran.y + p.ecran.h);
    }
}

// A fixed-pitch measure: 10 pixels per character of text (format codes excepted), UTF-8 aware.
int mesure_fixe(const std::string& ligne) {
    size_t debut = 0;
    while (debut + 1 < ligne.size() && ligne[debut] == '@') debut += 2;
    int n = 0;
    for (size_t i = debut; i < ligne.size(); i++) n += (ligne[i] & 0xC0) != 0x80;
    return 10 * n;
}

struct coupure {
    const char* nom;
    const char* ligne;
    int largeur;
    std::vector<std::string> attendu;
};

// clang-format off
const coupure coupures[] = {
    {"tient: inchangee",             "  un deux", 100,              {"  un deux"}},
    {"ligne vide",                   "",          50,               {""}},
    {"coupee aux blancs, la suite en retrait de 3",
                                     "  un deux trois quatre", 120, {"  un deux", "     trois", "     quatre"}},
    {"les blancs interieurs restent", "a  b   c", 60,               {"a  b", "   c"}},
    {"les codes sont repetes",       "@b@fabc def ghi", 70,         {"@b@fabc def", "@b@f   ghi"}},
    {"centree: suite sans retrait",  "@c@bun deux trois", 80,       {"@c@bun deux", "@c@btrois"}},
    {"mot trop long: coupe entre les caracteres",
                                     "  abcdefghijkl", 80,          {"  abcdef", "     ghi", "     jkl"}},
    {"jamais au milieu d'un caractere UTF-8",
                                     "  \xc3\xa0\xc3\xa0\xc3\xa0\xc3\xa0", 40,
                                     {"  \xc3\xa0\xc3\xa0", "     \xc3\xa0", "     \xc3\xa0"}},
};
// clang-format on

TEST(CoupeLigne, AuxBlancs) {
    for (const coupure& c : coupures) {
        SCOPED_TRACE(c.nom);
        std::vector<std::string> lignes = coupe_ligne(c.ligne, c.largeur, mesure_fixe);
        EXPECT_EQ(lignes, c.attendu);
    }
}

// A browser that lets the test read its own measure of each line.
class navigateur_sonde : public Fl_Browser {
  public:
    navigateur_sonde(int w) : Fl_Browser(10, 10, w, 420) { box(FL_DOWN_BOX); }
    int plus_large() const {
        int largeur = 0;
        for (void* l = item_first(); l; l = item_next(l))
            largeur = std::max(largeur, item_width(l));
        return largeur;
    }
};

std::vector<std::string> mots(const std::string& ligne) {
    size_t debut = 0;
    while (debut + 1 < ligne.size() && ligne[debut] == '@') debut += 2;
    std::istringstream flux(ligne.substr(debut));
    std::vector<std::string> resultat;
    std::string mot;
    while (flux >> mot) resultat.push_back(mot);
    return resultat;
}

// At every width the window can take, no line needs the horizontal scroll bar, and no word is lost.
TEST(FenetreAide, TexteCoupeALaLargeur) {
    fl_open_display();
    std::vector<std::string> attendus;
    for (const std::string& l : lignes_aide())
        for (const std::string& m : mots(l)) attendus.push_back(m);
    for (int largeur : {AIDE_LARGEUR, 500, 431, AIDE_LARGEUR_MIN}) {
        SCOPED_TRACE("fenetre de " + std::to_string(largeur));
        Fl_Group* courant = Fl_Group::current();
        Fl_Group::current(nullptr);
        navigateur_sonde sonde(largeur - 20);
        Fl_Group::current(courant);
        remplit_texte_aide(&sonde);
        int place = sonde.w() - Fl::box_dw(FL_DOWN_BOX) - Fl::scrollbar_size();
        EXPECT_LE(sonde.plus_large(), place);
        std::vector<std::string> vus;
        for (int i = 1; i <= sonde.size(); i++)
            for (const std::string& m : mots(sonde.text(i))) vus.push_back(m);
        EXPECT_EQ(vus, attendus);
        // At full width the instruction table keeps each row on one line, its heading too.
        if (largeur != AIDE_LARGEUR) continue;
        std::string entete = lignes_aide()[lignes_aide().size() - NB_INSTRUCTIONS - 1];
        EXPECT_EQ(entete.rfind("@f@b", 0), 0u) << entete;
        EXPECT_EQ(sonde.text(sonde.size() - NB_INSTRUCTIONS), entete);
        for (int n = 0; n < NB_INSTRUCTIONS; n++) {
            int lignes = 0;
            for (int i = 1; i <= sonde.size(); i++) lignes += ligne_instruction(n) == sonde.text(i);
            EXPECT_EQ(lignes, 1) << internal_mac_interpreteur_libelle_instruction[n];
        }
    }
}

struct instruction_decrite {
    const char* mnemonique;
    const char* octet;
    const char* modes;
    const char* effet;
    const char* drapeaux;
};

// clang-format off
const instruction_decrite decrites[] = {
    {"LOAD",  "$00", "immediat direct indexe", "A = M",                          "NZ"},
    {"STORE", "$04", "direct indexe",          "M = A",                          "NZ"},
    {"TAXH",  "$0C", "sans operande",          "XH = A ; N, Z selon XL",         "NZ"},
    {"CMP",   "$2C", "immediat direct indexe", "N, Z de A - M ; A garde",        "NZ"},
    {"NOT",   "$40", "sans operande",          "A = 1 si A = 0, sinon 0",        "NZ"},
    {"ASR",   "$44", "sans operande",          "A >> 1, bit 7 garde, C = bit 0", "NZC"},
    {"BNE",   "$54", "deplacement 16 bits",    "saute si Z = 0 (different)",     "-"},
    {"NOP",   "$7C", "sans operande",          "ne fait rien",                   "-"},
};
// clang-format on

TEST(FenetreAide, UneLigneParInstruction) {
    for (const instruction_decrite& d : decrites) {
        SCOPED_TRACE(d.mnemonique);
        int n = 0;
        while (n < NB_INSTRUCTIONS &&
               d.mnemonique != std::string(internal_mac_interpreteur_libelle_instruction[n]))
            n++;
        ASSERT_LT(n, NB_INSTRUCTIONS);
        std::string ligne = ligne_instruction(n);
        EXPECT_EQ(ligne.rfind("@f" + std::string(d.mnemonique) + " ", 0), 0u) << ligne;
        for (const char* colonne : {d.octet, d.modes, d.effet})
            EXPECT_NE(ligne.find(" " + std::string(colonne) + " "), std::string::npos) << ligne;
        EXPECT_EQ(ligne.substr(ligne.find_last_of(' ') + 1), d.drapeaux) << ligne;
    }
    // Every instruction has its own effect, and its row once in the text.
    std::vector<std::string> lignes = lignes_aide();
    for (int n = 0; n < NB_INSTRUCTIONS; n++) {
        EXPECT_GT(std::string(effet_instruction[n]).size(), 3u) << n;
        for (int m = 0; m < n; m++)
            EXPECT_NE(std::string(effet_instruction[n]), effet_instruction[m]) << n << " " << m;
        EXPECT_EQ(compte(lignes, ligne_instruction(n)), 1) << n;
    }
}

// What a student looks for in the Help, each at least once.
TEST(FenetreAide, ParleDeTout) {
    std::string tout;
    for (const std::string& l : lignes_aide()) tout += l + "\n";
    const char* const sujets[] = {"F5 : execution continue",
                                  "F7 : une instruction",
                                  "F8 : retour arriere",
                                  "F9 : point d'arret a PC",
                                  "F11 : arret",
                                  "F12 : remise a zero",
                                  "Ctrl+O : ouvrir",
                                  "Ctrl+R : recharger",
                                  "Ctrl+G : aller a une adresse",
                                  "Ctrl+B : point d'arret",
                                  "Maj+F9 : enleve tous",
                                  "un clic sur une ligne du desassemblage",
                                  "@bPoints d'arret",
                                  "@bRetour arriere",
                                  "@bVitesse",
                                  "1000, 100, 20, 5 ou 1",
                                  "EQU",
                                  "ORG",
                                  "DB",
                                  "DW",
                                  "@bLe langage de l'assembleur",
                                  "\"*\"",
                                  "point d'arret en $xxxx"};
    for (const char* sujet : sujets) {
        std::string s = sujet;
        std::string t = tout;
        for (std::string* x : {&s, &t})
            for (char& c : *x) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_NE(t.find(s), std::string::npos) << sujet;
    }
}

// The real window: beside the main window, as wide as the room allows, its text wrapped again
// when its width changes, "Fermer" centred at the same height.
struct ouverture {
    const char* nom;
    int x_principale, y_principale; // -1: as the program placed it
    rectangle attendu;
    int x_fermer;
};

// The tests' screen is 1280x1024, the main window 645 wide and centred at (317, 164).
const ouverture ouvertures[] = {
    {"au centre: contre le bord droit", -1, -1, {669, 164, 610, 480}, 260},
    {"a droite: a gauche, retrecie", 390, 100, {1, 100, 387, 480}, 148},
    {"a gauche: a droite", 10, 100, {657, 100, 610, 480}, 260},
};

TEST(FenetreAide, OuverteACote) {
    auto sim = nouveau_simulateur();
    Fl_Window* principale = sim->SIM->SIM;
    Fl_Double_Window* fenetre = sim->aide->aide;
    int lignes_pleine_largeur = 0;
    for (const ouverture& o : ouvertures) {
        SCOPED_TRACE(o.nom);
        if (o.x_principale >= 0) principale->position(o.x_principale, o.y_principale);
        capture_erreur silence;
        passe_avec(*sim, sim->SIM->B_AIDE);
        silence.fin();
        EXPECT_EQ(texte({fenetre->x(), fenetre->y(), fenetre->w(), fenetre->h()}),
                  texte(o.attendu));
        EXPECT_EQ(fenetre->child(0)->w(), o.attendu.w);
        EXPECT_EQ(sim->aide->TEXTE_AIDE->w(), o.attendu.w - 20);
        EXPECT_EQ(sim->aide->TEXTE_AIDE->h(), 420);
        Fl_Widget* fermer = bouton_fermer_aide(*sim->aide);
        EXPECT_EQ(fermer->x(), o.x_fermer);
        EXPECT_EQ(fermer->y(), 440);
        EXPECT_EQ(sim->aide->largeur_texte, o.attendu.w);
        if (o.attendu.w == AIDE_LARGEUR && !lignes_pleine_largeur)
            lignes_pleine_largeur = sim->aide->TEXTE_AIDE->size();
        if (o.attendu.w == AIDE_LARGEUR)
            EXPECT_EQ(sim->aide->TEXTE_AIDE->size(), lignes_pleine_largeur);
        else
            EXPECT_GT(sim->aide->TEXTE_AIDE->size(), lignes_pleine_largeur) << "wrapped again";
    }
}

} // namespace
