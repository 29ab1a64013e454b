#include "interface2.h"

#include "console.h"
#include "stringpp.h"
#include "texte_aide.h"

#include <FL/Fl.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Double_Window.H>
#include <FL/forms.H>

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

namespace {

Fl_Window* fenetre_principale = nullptr;

// The toolkit closes the window that receives Escape. A stray key must not end a session and
// lose a typed-in program, so Escape is consumed when it is meant for the main window; the
// About and Help windows still close on it. Key events reorder the window list so that their
// window comes first, except while a modal window is up (which Escape then closes).
int retient_echap(int evenement) {
    if (evenement != FL_SHORTCUT || Fl::event_key() != FL_Escape) return 0;
    if (!fenetre_principale || Fl::modal()) return 0;
    return Fl::first_window() == fenetre_principale;
}

void usage_automemlink() {
    console_ligne("???");
    console_ligne("mauvaise utilisation de l'option -automemlink");
    console_ligne("syntaxe :");
    console_ligne("");
    console_ligne("   processus (-automemlink <ident_memoire>)");
    console_ligne("");
}

} // namespace

int lit_option_automemlink(int argc, char** argv) {
    int ident_memoire_partagee = 0;
    for (int arg_num = 1; arg_num < argc; arg_num++) {
        if (std::strcmp(argv[arg_num], "-automemlink") != 0) continue;
        // The one console text without a line end: the next line completes it.
        console_texte("-automemlink detecte ");
        if (arg_num + 1 >= argc) {
            usage_automemlink();
            std::exit(1);
        }
        arg_num++;
        ident_memoire_partagee = std::atoi(argv[arg_num]);
        console_lignef("avec ident memoire= %d", ident_memoire_partagee);
    }
    return ident_memoire_partagee;
}

simulateur::simulateur(int argc, char** argv)
    : SIM(nullptr), form_about(nullptr), aide(nullptr), point_desa{}, point_dump{},
      adr_debut_desassemblage(0), play(0), encore(1), modif_entree(0) {
    fl_initialize(&argc, argv, nullptr, nullptr, 0);
    SIM = new SIM_class;
    int ident_memoire_partagee = lit_option_automemlink(argc, argv);

    fl_set_menu(SIM->m_fichier, "A propos de...|Ouvrir fichier binaire|Quitter");
    form_about = new form_about_class;
    aide = new aide_class;

    Fl_Widget* const desa[12] = {SIM->DESA01, SIM->DESA02, SIM->DESA03, SIM->DESA04,
                                 SIM->DESA05, SIM->DESA06, SIM->DESA07, SIM->DESA08,
                                 SIM->DESA09, SIM->DESA10, SIM->DESA11, SIM->DESA12};
    for (int n = 0; n < 12; n++) point_desa[n] = desa[n];
    fl_set_slider_bounds(SIM->DUMP_SLIDE, 0, 65440);
    fl_set_slider_step(SIM->DUMP_SLIDE, 1);
    fl_set_slider_value(SIM->DUMP_SLIDE, 0);
    Fl_Widget* const dump[12] = {SIM->DUMP01, SIM->DUMP02, SIM->DUMP03, SIM->DUMP04,
                                 SIM->DUMP05, SIM->DUMP06, SIM->DUMP07, SIM->DUMP08,
                                 SIM->DUMP09, SIM->DUMP10, SIM->DUMP11, SIM->DUMP12};
    for (int n = 0; n < 12; n++) point_dump[n] = dump[n];

    inter.learn_mem(&memoire);
    inter.init_registers();
    sauve_registres();
    adr_debut_desassemblage = inter.PC_value();
    rafraichit_desassemble();
    rafraichit_dump(0);

    portA.configure(SIM, 40, 240, "PortA", 0x1000, 0, 0, "", 0, 0xF8, 0x00, &memoire,
                    ident_memoire_partagee);
    portB.configure(SIM, 170, 240, "PortB", 0x1002, 0, 0, "", 0, 0x00, 0x00, &memoire,
                    ident_memoire_partagee);
    portC.configure(SIM, 300, 240, "PortC", 0x1004, 0, 0, "", 0, 0xFF, 0x00, &memoire,
                    ident_memoire_partagee);

    fenetre_principale = SIM->SIM;
    Fl::add_handler(retient_echap);
    fl_show_form(SIM->SIM, FL_PLACE_CENTER | FL_FREE_SIZE, FL_FULLBORDER, "Machine a accumulateur");
}

simulateur::~simulateur() {
    Fl::remove_handler(retient_echap);
    if (fenetre_principale == SIM->SIM) fenetre_principale = nullptr;
    fl_hide_form(SIM->SIM);
    fl_finish();
}

void simulateur::interprete_commandes() {
    play = 0;
    encore = 1;
    // Idle, wait for the next event instead of polling; running, never wait.
    while (encore)
        if (!passe()) Fl::wait();
}

int simulateur::passe() {
    Fl::check();
    Fl_Widget* obj = Fl::readqueue();
    if (!obj && !play) return 0;
    charge_registres();
    // Every test runs in turn: one that matches does not skip the later ones.
    if (obj == SIM->m_fichier) encore = interprete_menu_fichier(obj) ? 0 : 1;
    if (obj == SIM->SIM) encore = 0; // its close box ends the program as "Quitter" does
    if (obj == SIM->B_RESET) {
        play = 0;
        inter.init_registers();
        sauve_registres();
        rafraichit_desassemble();
    }
    if (obj == SIM->B_STOP) play = 0;
    if (obj == SIM->B_STEP || play) execute_un_pas();
    if (obj == SIM->VALID_MEM) remplit_memoire();
    if (obj == SIM->B_PLAY) play = 1;
    if (obj == SIM->DESA_D) {
        adr_debut_desassemblage = inter.adresse_suivante(adr_debut_desassemblage);
        rafraichit_desassemble();
    }
    if (obj == SIM->DESA_PC) {
        adr_debut_desassemblage = inter.PC_value();
        rafraichit_desassemble();
    }
    if (obj == SIM->DESA_U) console_ligne("a refaire");
    if (obj == SIM->DUMP_SLIDE) rafraichit_dump(0);
    if (obj == SIM->DUMP_U) rafraichit_dump(-8);
    if (obj == SIM->DUMP_D) rafraichit_dump(8);
    // The Help window never holds the loop: it is shown and hidden like any other reaction.
    if (obj == SIM->B_AIDE) montre_aide();
    if (obj && (obj == bouton_fermer_aide(*aide) || obj == aide->aide)) fl_hide_form(aide->aide);
    int a = portA.react_in(obj);
    int b = portB.react_in(obj);
    int c = portC.react_in(obj);
    modif_entree = a || b || c;
    if (modif_entree) rafraichit_dump(0);
    return 1;
}

void simulateur::montre_aide() {
    // The browser measures each line in its fonts as it is added: done at start-up, that would
    // open fonts before the main window could be shown.
    if (aide->TEXTE_AIDE->size() == 0) remplit_texte_aide(aide->TEXTE_AIDE);
    fl_show_form(aide->aide, FL_PLACE_CENTER, FL_FULLBORDER, "Aide");
}

void simulateur::execute_un_pas() {
    inter.step();
    sauve_registres();
    rafraichit_desassemble();
    portA.react_out();
    portB.react_out();
    portC.react_out();
    rafraichit_dump(0);
}

void simulateur::remplit_memoire() {
    std::string adresse_chaine = fl_get_input(SIM->adresse_select);
    std::string valeur_chaine = fl_get_input(SIM->valeur_select);
    std::string multiplicateur_chaine = fl_get_input(SIM->multiplicateur_select);
    int32_t adresse = Stoloruhex("$", adresse_chaine);
    int32_t valeur = Stoloruhex("$", valeur_chaine);
    int32_t multiplicateur = Stoloruhex("$", multiplicateur_chaine);
    // Past 65536 writes every cell already holds the value: stop there rather than freeze.
    int32_t nombre = multiplicateur > 65536 ? 65536 : multiplicateur;
    for (int32_t n = 0; n < nombre; n++) {
        // Unsigned arithmetic: the address wraps without a signed overflow.
        uint32_t case_memoire = static_cast<uint32_t>(adresse) + static_cast<uint32_t>(n);
        memoire.write_byte(static_cast<uint16_t>(case_memoire), static_cast<uint8_t>(valeur));
    }
    rafraichit_dump(0);
    rafraichit_desassemble();
}
