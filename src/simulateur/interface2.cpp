#include "interface2.h"

#include "console.h"
#include "fenetre_aide.h"
#include "stringpp.h"
#include "texte_aide.h"
#include "textes_fltk.h"
#include "touches.h"

#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>
#include <FL/forms.H>

#include <cstdlib>
#include <cstring>
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
            // A command line that cannot run is explained whatever the trace.
            if (!console_active()) {
                console_instructions_seules(false);
                console_vers_erreur_standard();
                console_texte("-automemlink detecte ");
            }
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
      memoire(session.memoire), inter(session.inter), portA(session.ports[0]),
      portB(session.ports[1]), portC(session.ports[2]), adr_debut_desassemblage(0), play(0),
      encore(1), modif_entree(0), trace(TRACE_COMPLETE), ligne_trace{},
      longueur_ligne_trace(0), adresses_desa{} {
    fl_initialize(&argc, argv, nullptr, nullptr, 0);
    textes_fltk_en_francais();
    lit_mode_trace(argc, argv);
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

    session.reset();
    sauve_registres();
    adr_debut_desassemblage = inter.PC_value();
    rafraichit_desassemble();
    rafraichit_dump(0);

    // The session's ports, again with their own values, now with their widgets and link.
    portparallele* const affiches[NB_PORTS] = {&portA, &portB, &portC};
    const int x_port[NB_PORTS] = {40, 170, 300};
    for (int p = 0; p < NB_PORTS; p++) {
        const config_port& c = configuration_ports[p];
        affiches[p]->configure(SIM, x_port[p], 240, c.nom, c.adresse, 0, 0, "", 0,
                               c.masque_forc_sortie, c.masque_forc_entree, &memoire,
                               ident_memoire_partagee);
    }
    prepare_debogage();
    cree_touches_chargement(*SIM);

    fenetre_principale = SIM->SIM;
    Fl::add_handler(retient_echap);
    installe_touches(SIM);
    fl_show_form(SIM->SIM, FL_PLACE_CENTER | FL_FREE_SIZE, FL_FULLBORDER, "Machine a accumulateur");
    // The command line's program is opened by the first pass, as Ctrl+O would open it.
    programme_initial = programme_en_argument(argc, argv);
    if (!programme_initial.empty()) SIM->K_OUVRIR->do_callback();
}

simulateur::~simulateur() {
    retire_touches();
    if (trace != TRACE_COMPLETE) {
        console_instructions_seules(false);
        console_vers_erreur_standard();
    }
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
    if (!obj && attend_cadence()) return 1;
    charge_registres();
    if (obj == SIM->B_RETOUR) retour_arriere();
    // Every test runs in turn: one that matches does not skip the later ones.
    if (obj == SIM->m_fichier) encore = interprete_menu_fichier(obj) ? 0 : 1;
    if (obj == SIM->SIM) encore = 0; // its close box ends the program as "Quitter" does
    if (obj == SIM->K_OUVRIR) ouvre_programme();
    if (obj == SIM->K_RECHARGE) recharge_programme();
    if (obj == SIM->B_RESET) {
        play = 0;
        session.reset();
        efface_changements();
        sauve_registres();
        rafraichit_desassemble();
    }
    if (obj == SIM->B_STOP) play = 0;
    if (pas_a_faire(obj)) execute_un_pas();
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
    clic_desassemblage(obj);
    if (obj == SIM->K_POINT_PC) point_sur_pc();
    if (obj == SIM->K_POINT_ADRESSE) demande_point();
    if (obj == SIM->K_EFFACE_POINTS) efface_points();
    if (obj == SIM->VITESSE) choisit_vitesse();
    if (obj == SIM->K_ALLER) va_a_adresse();
    // The Help window never holds the loop: it is shown and hidden like any other reaction.
    if (obj == SIM->B_AIDE) montre_aide();
    if (obj && (obj == bouton_fermer_aide(*aide) || obj == aide->aide)) fl_hide_form(aide->aide);
    int port, bit;
    bouton_port(obj, port, bit);
    modif_entree = session.reagit_entrees(port, bit);
    affiche_ports();
    if (modif_entree) rafraichit_dump(0);
    return 1;
}

void simulateur::montre_aide() {
    montre_fenetre_aide(*aide, SIM->SIM);
}

void simulateur::execute_un_pas() {
    changements.avant_pas(session);
    commence_ligne_trace();
    session.execute_instruction();
    termine_ligne_trace();
    sauve_registres();
    rafraichit_desassemble();
    session.reagit_sorties();
    affiche_ports();
    rafraichit_dump(0);
    arret_sur_point();
}

void simulateur::bouton_port(Fl_Widget* obj, int& port, int& bit) const {
    const portparallele* const affiches[NB_PORTS] = {&portA, &portB, &portC};
    port = bit = -1;
    for (int p = 0; p < NB_PORTS && obj; p++)
        for (int n = 0; n < 8; n++)
            if (affiches[p]->ES[n] == obj) {
                port = p;
                bit = n;
            }
}

void simulateur::affiche_ports() {
    for (portparallele* p : {&portA, &portB, &portC}) p->affiche();
}

void simulateur::remplit_memoire() {
    std::string adresse_chaine = fl_get_input(SIM->adresse_select);
    std::string valeur_chaine = fl_get_input(SIM->valeur_select);
    std::string multiplicateur_chaine = fl_get_input(SIM->multiplicateur_select);
    int32_t adresse = Stoloruhex("$", adresse_chaine);
    int32_t valeur = Stoloruhex("$", valeur_chaine);
    int32_t multiplicateur = Stoloruhex("$", multiplicateur_chaine);
    session.remplit(static_cast<uint16_t>(adresse), static_cast<uint8_t>(valeur), multiplicateur);
    rafraichit_dump(0);
    rafraichit_desassemble();
}
