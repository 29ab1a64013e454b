// The keys: which widget each one queues, whatever has the focus, never while a modal window or a
// menu is up; the buttons' tooltips; and Ctrl+G's address dialog.
// First: the toolkit's headers bring X11 macros (None, Bool) that clash with GoogleTest's names.
#include <gtest/gtest.h>

#include "dossier.h"
#include "modales.h"
#include "outils.h"
#include "touches.h"

#include <FL/Fl.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Slider.H>
#include <FL/fl_ask.H>
#include <FL/forms.H>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// A key press as the X server hands it to the toolkit: the key, the modifiers held, the text.
// The toolkit may write into the event's text: it gets a buffer of its own.
void appuie(Fl_Window* fenetre, int touche, int etat, const char* texte) {
    static char tampon[8];
    std::snprintf(tampon, sizeof tampon, "%s", texte);
    Fl::e_keysym = touche;
    Fl::e_state = etat;
    Fl::e_text = tampon;
    Fl::e_length = static_cast<int>(std::strlen(tampon));
    Fl::handle(FL_KEYBOARD, fenetre);
    Fl::e_keysym = 0;
    Fl::e_state = 0;
    tampon[0] = '\0';
    Fl::e_length = 0;
}

typedef Fl_Button* SIM_class::*champ_bouton;

struct cas_touche {
    const char* nom;
    int touche;
    int etat;
    const char* texte;
    champ_bouton attendu; // null: the key is not one of ours
};

const cas_touche cas_touches[] = {
    {"F5: marche", FL_F + 5, 0, "", &SIM_class::B_PLAY},
    {"F7: pas a pas", FL_F + 7, 0, "", &SIM_class::B_STEP},
    {"F11: arret", FL_F + 11, 0, "", &SIM_class::B_STOP},
    {"F12: reinitialisation", FL_F + 12, 0, "", &SIM_class::B_RESET},
    {"Ctrl+O: ouvrir", 'o', FL_CTRL, "\x0f", &SIM_class::K_OUVRIR},
    {"Ctrl+R: recharger", 'r', FL_CTRL, "\x12", &SIM_class::K_RECHARGE},
    {"Ctrl+G: aller a", 'g', FL_CTRL, "\x07", &SIM_class::K_ALLER},
    {"verrouillage des majuscules et pave numerique ignores", FL_F + 7, FL_CAPS_LOCK | FL_NUM_LOCK,
     "", &SIM_class::B_STEP},
    {"Maj+F7 n'est pas F7", FL_F + 7, FL_SHIFT, "", nullptr},
    {"Ctrl+F7 non plus", FL_F + 7, FL_CTRL, "", nullptr},
    {"Ctrl+Maj+O n'est pas Ctrl+O", 'o', FL_CTRL | FL_SHIFT, "\x0f", nullptr},
    {"o seul s'ecrit", 'o', 0, "o", nullptr},
    {"F6 n'est a personne", FL_F + 6, 0, "", nullptr},
};

enum lieu_focus { AUCUN, SAISIE_REGISTRE, SAISIE_ADRESSE, BOUTON_PAS, AIDE };

struct cas_focus {
    const char* nom;
    lieu_focus focus;
};

const cas_focus cas_focus_table[] = {
    {"sans focus", AUCUN},
    {"focus dans le registre A", SAISIE_REGISTRE},
    {"focus dans l'adresse du remplissage", SAISIE_ADRESSE},
    {"focus sur le bouton pas a pas", BOUTON_PAS},
    {"dans la fenetre d'aide", AIDE},
};

TEST(Touches, ChaqueToucheMetSonWidgetDansLaFile) {
    auto sim = nouveau_simulateur();
    passe_avec(*sim, sim->SIM->B_AIDE); // shown, so that a key can be aimed at it
    for (const cas_focus& f : cas_focus_table) {
        for (const cas_touche& t : cas_touches) {
            SCOPED_TRACE(std::string(f.nom) + ", " + t.nom);
            sim->SIM->REG_A_HEX->value("5");
            sim->SIM->adresse_select->value("$10");
            Fl_Widget* const cibles[] = {nullptr, sim->SIM->REG_A_HEX, sim->SIM->adresse_select,
                                         sim->SIM->B_STEP, sim->aide->TEXTE_AIDE};
            Fl_Widget* cible = cibles[f.focus];
            Fl::focus(cible);
            Fl_Window* fenetre =
                f.focus == AIDE ? static_cast<Fl_Window*>(sim->aide->aide) : sim->SIM->SIM;
            vide_file();
            appuie(fenetre, t.touche, t.etat, t.texte);
            Fl_Widget* vu = Fl::readqueue();
            vide_file();
            if (t.attendu) {
                EXPECT_EQ(vu, sim->SIM->*t.attendu);
            } else {
                EXPECT_TRUE(vu == nullptr || vu == cible) << "not one of the keys' widgets";
            }
            bool tape = !t.attendu && std::string(t.texte) == "o";
            EXPECT_STREQ(sim->SIM->REG_A_HEX->value(),
                         f.focus == SAISIE_REGISTRE && tape ? "5o" : "5")
                << "a key of ours never types into the input";
            EXPECT_STREQ(sim->SIM->adresse_select->value(),
                         f.focus == SAISIE_ADRESSE && tape ? "$10o" : "$10");
            EXPECT_EQ(Fl::focus(), cible) << "the focus stays";
        }
    }
}

enum genre_modale { A_PROPOS, MENU_OUVERT };

TEST(Touches, RienQuandUneFenetreModaleOuUnMenuEstOuvert) {
    for (genre_modale g : {A_PROPOS, MENU_OUVERT}) {
        SCOPED_TRACE(g == A_PROPOS ? "A propos" : "menu");
        auto sim = nouveau_simulateur();
        if (g == A_PROPOS)
            fl_show_form(sim->form_about->form_about, FL_PLACE_MOUSE, FL_TRANSIENT, "Informations");
        else
            Fl::grab(sim->SIM->SIM);
        Fl::check();
        vide_file();
        for (const cas_touche& t : cas_touches) {
            if (!t.attendu) continue;
            appuie(sim->SIM->SIM, t.touche, t.etat, t.texte);
            Fl_Widget* vu = Fl::readqueue();
            EXPECT_TRUE(vu == nullptr || vu == sim->form_about->form_about) << t.nom;
        }
        if (g == A_PROPOS)
            fl_hide_form(sim->form_about->form_about);
        else
            Fl::grab(nullptr);
        Fl::check();
        appuie(sim->SIM->SIM, FL_F + 7, 0, "");
        EXPECT_EQ(Fl::readqueue(), sim->SIM->B_STEP) << "keys are back once it is closed";
    }
}

TEST(Touches, UneTouchePasseCommeUnClic) {
    auto sim = nouveau_simulateur();
    sim->memoire.efface(0x7C);
    Fl::focus(sim->SIM->REG_PC_HEX);
    sim->SIM->REG_PC_HEX->value("40"); // typed, not yet read back
    appuie(sim->SIM->SIM, FL_F + 7, 0, "");
    capture_erreur trace;
    EXPECT_EQ(sim->passe(), 1);
    trace.fin();
    EXPECT_EQ(sim->inter.PC_value(), 0x41) << "the registers are read back, then the step";
}

TEST(Touches, LesWidgetsCachesSuiventLesAutres) {
    auto sim = nouveau_simulateur();
    Fl_Double_Window* fenetre = sim->SIM->SIM;
    Fl_Widget* const attendus[] = {sim->SIM->K_OUVRIR, sim->SIM->K_RECHARGE, sim->SIM->K_ALLER};
    ASSERT_EQ(fenetre->children(), 97 + 5 + 3);
    for (int n = 0; n < 3; n++) {
        SCOPED_TRACE(n);
        EXPECT_EQ(fenetre->child(97 + 5 + n), attendus[n]);
        EXPECT_FALSE(attendus[n]->visible());
        EXPECT_EQ(attendus[n]->callback(), Fl_Widget::default_callback);
    }
}

struct cas_bulle {
    champ_bouton bouton;
    const char* bulle;
};

const cas_bulle cas_bulles[] = {
    {&SIM_class::B_PLAY, "Execution (F5)"},
    {&SIM_class::B_STEP, "Pas a pas (F7)"},
    {&SIM_class::B_STOP, "Arret (F11)"},
    {&SIM_class::B_RESET, "Reinitialisation (F12)"},
};

TEST(Touches, LesBullesNommentLaTouche) {
    auto sim = nouveau_simulateur();
    for (const cas_bulle& c : cas_bulles) {
        ASSERT_NE((sim->SIM->*c.bouton)->tooltip(), nullptr) << c.bulle;
        EXPECT_STREQ((sim->SIM->*c.bouton)->tooltip(), c.bulle);
    }
}

struct cas_aller {
    const char* nom;
    const char* saisie; // null: the dialog is cancelled
    int debut;          // the dump's first address afterwards
    const char* erreur; // the console's line; null: none
};

// The dump starts at $0200 and the loaded source has the labels debut ($1000) and fin ($1005).
const cas_aller cas_allers[] = {
    {"hexadecimal", "$1000", 0x1000, nullptr},
    {"decimal: la ligne qui tient l'adresse", "4100", 0x1000, nullptr},
    {"des blancs autour", "  $1a3 ", 0x1a0, nullptr},
    {"une etiquette", "fin", 0x1000, nullptr},
    {"la derniere adresse: la derniere page", "$FFFF", 65440, nullptr},
    {"zero", "0", 0, nullptr},
    {"annule", nullptr, 0x200, nullptr},
    {"rien de tape", "", 0x200, nullptr},
    {"la casse des etiquettes compte", "Fin", 0x200,
     "aller a: \"Fin\" n'est ni une adresse ni une etiquette du programme"},
    {"trop grand", "$10000", 0x200, "aller a: adresse hors de la memoire ($0000 a $ffff): $10000"},
    {"negatif", "-1", 0x200, "aller a: adresse hors de la memoire ($0000 a $ffff): -1"},
    {"n'importe quoi", "12x", 0x200, "aller a: nombre mal ecrit: 12x"},
};

TEST(Aller, LeDumpMontreLaLigne) {
    dossier_temporaire dossier;
    std::string source =
        dossier.ecrit("a.s", " ORG $1000\ndebut: LOADI 5\n STORE $40\nfin: B fin\n");
    for (const cas_aller& c : cas_allers) {
        SCOPED_TRACE(c.nom);
        auto sim = nouveau_simulateur();
        capture_erreur chargement;
        sim->charge_programme(source.c_str());
        chargement.fin();
        sim->SIM->DUMP_SLIDE->value(0x200);
        sim->rafraichit_dump(0);
        reponse_modale dialogue;
        dialogue.saisie = c.saisie;
        dialogue.bouton = c.saisie ? fl_ok : fl_cancel;
        reponse_modale alerte;
        if (c.erreur) dialogue.suivante = &alerte;
        capture_erreur trace;
        sim->SIM->K_ALLER->do_callback();
        repond_a_la_prochaine_modale(dialogue);
        sim->passe();
        std::vector<std::string> l = lignes(trace.fin());
        EXPECT_TRUE(dialogue.vue);
        EXPECT_NE(dialogue.textes.find("Adresse a montrer dans le dump"), std::string::npos);
        EXPECT_EQ(alerte.vue, c.erreur != nullptr);
        int debut = static_cast<int>(sim->SIM->DUMP_SLIDE->value());
        EXPECT_EQ(debut, c.debut);
        char ligne[8];
        std::snprintf(ligne, sizeof ligne, "%4x ", c.debut);
        EXPECT_EQ(std::string(sim->point_dump[0]->label()).substr(0, 5), ligne);
        if (c.erreur) {
            ASSERT_FALSE(l.empty());
            EXPECT_EQ(l[0], c.erreur);
            EXPECT_NE(alerte.textes.find(c.erreur), std::string::npos) << alerte.textes;
        } else {
            EXPECT_EQ(l.size(), 3u) << "only the ports' lines";
        }
    }
}

} // namespace
