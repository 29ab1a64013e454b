// The File menu: the About window and its wait, loading a program file, and quitting.
// First: the toolkit's headers bring X11 macros (None, Bool) that clash with GoogleTest's names.
#include <gtest/gtest.h>

#include "outils.h"

#include <FL/Fl.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_File_Chooser.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Menu_Button.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Slider.H>
#include <FL/fl_ask.H>

#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// What a person sees in a modal window, and the control that closes it.
struct fenetre_vue {
    bool vue = false;
    bool modale = false;
    std::string titre;
    std::string textes; // every label in it, one per line
    Fl_Widget* fermeture = nullptr;
    const char* bouton = nullptr; // or: the label of the button to press
};

void rassemble(Fl_Group* groupe, fenetre_vue& v) {
    for (int i = 0; i < groupe->children(); i++) {
        Fl_Widget* w = groupe->child(i);
        if (w->label()) v.textes += std::string(w->label()) + "\n";
        if (v.bouton && w->label() && std::string(w->label()) == v.bouton && !v.fermeture)
            v.fermeture = w;
        if (w->as_group()) rassemble(w->as_group(), v);
    }
}

// Runs inside the toolkit's wait: looks at the modal window, then closes it.
void regarde_et_ferme(void* donnees) {
    fenetre_vue& v = *static_cast<fenetre_vue*>(donnees);
    Fl_Window* modale = Fl::modal();
    if (!modale) {
        Fl::repeat_timeout(0.02, regarde_et_ferme, donnees); // not up yet
        return;
    }
    v.vue = modale->shown();
    v.modale = true;
    v.titre = modale->label() ? modale->label() : "";
    rassemble(modale, v);
    if (v.fermeture)
        v.fermeture->do_callback();
    else
        modale->hide();
    reveille();
}

struct fermeture_apropos {
    const char* nom;
    Fl_Widget* (*fermeture)(form_about_class&);
};

const fermeture_apropos fermetures[] = {
    {"bouton OK", [](form_about_class& f) -> Fl_Widget* { return f.form_about->child(7); }},
    {"case de fermeture", [](form_about_class& f) -> Fl_Widget* { return f.form_about; }},
};

TEST(MenuFichier, APropos) {
    auto sim = nouveau_simulateur();
    for (const fermeture_apropos& f : fermetures) {
        SCOPED_TRACE(f.nom);
        fenetre_vue v;
        v.fermeture = f.fermeture(*sim->form_about);
        Fl::add_timeout(0.05, regarde_et_ferme, &v);
        choisit_menu(*sim, 1);
        capture_erreur trace;
        EXPECT_EQ(sim->passe(), 1);
        trace.fin();
        EXPECT_TRUE(v.vue);
        EXPECT_EQ(v.titre, "Informations");
        EXPECT_FALSE(sim->form_about->form_about->shown());
        EXPECT_EQ(sim->encore, 1);
        EXPECT_EQ(Fl::readqueue(), nullptr) << "the closing object is used up by the wait";
    }
}

TEST(MenuFichier, QuitterSeulRendUn) {
    auto sim = nouveau_simulateur();
    EXPECT_EQ(sim->interprete_menu_fichier(sim->SIM->m_fichier), 0) << "no item chosen yet";
    sim->SIM->m_fichier->value(2);
    EXPECT_EQ(sim->interprete_menu_fichier(sim->SIM->m_fichier), 1);
    EXPECT_EQ(sim->SIM->m_fichier->size(), 4) << "three items and the end mark";
    EXPECT_STREQ(sim->SIM->m_fichier->text(0), "A propos de...");
    EXPECT_STREQ(sim->SIM->m_fichier->text(1), "Ouvrir fichier binaire");
    EXPECT_STREQ(sim->SIM->m_fichier->text(2), "Quitter");
}

TEST(MenuFichier, SelecteurAnnule) {
    auto sim = nouveau_simulateur();
    fenetre_vue v;
    v.bouton = fl_cancel;
    Fl::add_timeout(0.05, regarde_et_ferme, &v);
    choisit_menu(*sim, 2);
    capture_erreur trace;
    sim->passe();
    std::vector<std::string> l = lignes(trace.fin());
    EXPECT_TRUE(v.vue);
    EXPECT_EQ(v.titre, "Choisissez un fichier binaire");
    ASSERT_FALSE(l.empty());
    EXPECT_EQ(l[0], "chargement abandonne ...");
    EXPECT_EQ(sim->encore, 1);
}

enum cas_chargement { ANNULE, ABSENT, FICHIER };

struct chargement {
    const char* nom;
    cas_chargement cas;
    std::vector<std::string> trace; // beginning with the loader's lines, if any
    bool alerte;
    uint16_t pc;
    uint8_t octet0; // memory at $0000 afterwards
};

// Before: PC = $10, A = $33, $7C in every cell; the file holds 01 05 7C at address 0.
const chargement chargements[] = {
    {"annule", ANNULE, {"chargement abandonne ..."}, false, 0x10, 0x7C},
    {"fichier absent: alerte, ni memoire ni PC ne changent",
     ABSENT,
     {"c'est parti ..", "lecture de \"/nonexistent/quorvel/absent.bin\"", "erreur sur fichier "},
     true,
     0x10,
     0x7C},
    {"fichier lu: PC a 0",
     FICHIER,
     {"c'est parti ..", "lecture de \"@\"", "adresse de base 0 taille 7", "depart: 0"},
     false,
     0x00,
     0x01},
};

TEST(MenuFichier, Chargement) {
    char nom[] = "/tmp/quorvel_programme_XXXXXX";
    int fd = mkstemp(nom);
    ASSERT_GE(fd, 0);
    const unsigned char contenu[] = {0x00, 0x07, 0x00, 0x00, 0x01, 0x05, 0x7C};
    ASSERT_EQ(write(fd, contenu, sizeof contenu), static_cast<ssize_t>(sizeof contenu));
    close(fd);
    for (const chargement& c : chargements) {
        SCOPED_TRACE(c.nom);
        auto sim = nouveau_simulateur();
        sim->memoire.efface(0x7C);
        sim->inter.set_PC_value(0x10);
        sim->inter.set_A_value(0x33);
        sim->sauve_registres();
        sim->SIM->DUMP_SLIDE->value(0);
        fenetre_vue v;
        if (c.alerte) Fl::add_timeout(0.05, regarde_et_ferme, &v);
        const char* chemin = c.cas == ANNULE   ? nullptr
                             : c.cas == ABSENT ? "/nonexistent/quorvel/absent.bin"
                                               : nom;
        capture_erreur trace;
        sim->charge_programme(chemin);
        std::vector<std::string> l = lignes(trace.fin());
        std::vector<std::string> attendu = c.trace;
        for (std::string& a : attendu)
            if (a == "lecture de \"@\"") a = "lecture de \"" + std::string(nom) + "\"";
        ASSERT_GE(l.size(), attendu.size());
        EXPECT_EQ(std::vector<std::string>(l.begin(), l.begin() + long(attendu.size())), attendu);
        EXPECT_EQ(v.vue, c.alerte);
        if (c.alerte) {
            EXPECT_NE(v.textes.find("Erreur: fichier corrompu\nou fichier binaire non attendu.\n"),
                      std::string::npos)
                << v.textes;
        }
        EXPECT_EQ(sim->inter.PC_value(), c.pc);
        EXPECT_EQ(sim->inter.A_value(), 0x33) << "a load resets PC only";
        EXPECT_EQ(sim->memoire.read_byte(0), c.octet0);
        if (c.cas != FICHIER) continue;
        EXPECT_STREQ(sim->SIM->REG_PC_HEX->value(), "      0");
        EXPECT_EQ(sim->adr_debut_desassemblage, 0);
        EXPECT_STREQ(sim->point_desa[0]->label(), "-> 0 LOADI 5");
        EXPECT_STREQ(sim->point_dump[0]->label(), "   0  1  5 7c  0  0  0  0  0");
    }
    unlink(nom);
}

// The toolkit's own texts are French in every dialog the program shows.
const char* const anglais[] = {"Show:",     "Favorites", "Preview",         "Show hidden files",
                               "Filename:", "Cancel",    "Close",           "Yes",
                               "No",        "Save",      "Manage Favorites"};

TEST(TextesDuToolkit, EnFrancais) {
    auto sim = nouveau_simulateur();
    EXPECT_STREQ(fl_cancel, "Annuler");
    EXPECT_STREQ(fl_close, "Fermer");
    EXPECT_STREQ(fl_yes, "Oui");
    EXPECT_STREQ(fl_no, "Non");
    EXPECT_STREQ(fl_ok, "OK");
    EXPECT_STREQ(Fl_File_Chooser::manage_favorites_label, "Gerer les favoris");

    fenetre_vue selecteur;
    selecteur.bouton = "Annuler";
    Fl::add_timeout(0.05, regarde_et_ferme, &selecteur);
    choisit_menu(*sim, 2);
    capture_erreur trace;
    sim->passe();
    fenetre_vue alerte;
    Fl::add_timeout(0.05, regarde_et_ferme, &alerte);
    sim->charge_programme("/nonexistent/quorvel/absent.bin");
    trace.fin();
    ASSERT_TRUE(selecteur.vue);
    ASSERT_NE(selecteur.fermeture, nullptr) << selecteur.textes;
    for (const char* texte :
         {"Filtre :", "Favoris", "Apercu", "Fichiers caches", "Fichier :", "OK"})
        EXPECT_NE(selecteur.textes.find(std::string(texte) + "\n"), std::string::npos) << texte;
    ASSERT_TRUE(alerte.vue);
    EXPECT_NE(alerte.textes.find("Fermer\n"), std::string::npos) << alerte.textes;
    for (const char* texte : anglais) {
        EXPECT_EQ(selecteur.textes.find(std::string(texte) + "\n"), std::string::npos) << texte;
        EXPECT_EQ(alerte.textes.find(std::string(texte) + "\n"), std::string::npos) << texte;
    }
}

// The chooser keeps the places of its English layout: every French text fits its widget.
void verifie_place(Fl_Group* groupe) {
    for (int i = 0; i < groupe->children(); i++) {
        Fl_Widget* w = groupe->child(i);
        if (w->as_group()) verifie_place(w->as_group());
        if (!w->label() || !*w->label() || w->label()[0] == '@') continue;
        int lw = 0, lh = 0;
        w->measure_label(lw, lh);
        bool dedans =
            (w->align() & FL_ALIGN_INSIDE) ||
            !(w->align() & (FL_ALIGN_LEFT | FL_ALIGN_RIGHT | FL_ALIGN_TOP | FL_ALIGN_BOTTOM));
        if (!dedans) {
            EXPECT_LE(lw, w->x()) << w->label() << ": to the left of its widget";
            continue;
        }
        // A check box or a return arrow takes about the widget's height beside the text.
        bool marque = dynamic_cast<Fl_Check_Button*>(w) || dynamic_cast<Fl_Return_Button*>(w);
        EXPECT_LE(lw + (marque ? w->h() : 0), w->w()) << w->label();
    }
}

TEST(TextesDuToolkit, TiennentDansLeSelecteur) {
    auto sim = nouveau_simulateur();
    Fl_File_Chooser selecteur(".", "*.bin", Fl_File_Chooser::SINGLE,
                              "Choisissez un fichier binaire");
    verifie_place(selecteur.newButton->window());
}

} // namespace
