// Debugging in the window: step back, breakpoints and the speed of run mode. The history and the
// stop addresses belong to the machine session; this is only how the window reaches them.
#include "adresses.h"
#include "console.h"
#include "interface2.h"
#include "nombres.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/fl_ask.H>

#include <cstdio>

void simulateur::prepare_debogage() {
    SIM->ajoute_debogage();
    session.histo.active(true);
    choisit_vitesse();
}

void simulateur::retour_arriere() {
    play = 0;
    if (!session.retour_arriere()) {
        console_ligne("retour arriere: rien a defaire");
        return;
    }
    console_lignef("retour arriere: encore %zu pas", session.histo.taille());
    // Every view at once, as after a step: the register inputs then hold the restored values,
    // which the next pass reads back unchanged.
    sauve_registres();
    rafraichit_desassemble();
    affiche_ports();
    rafraichit_dump(0);
}

void simulateur::arret_sur_point() {
    uint16_t pc = inter.PC_value();
    if (!session.arrets.test(pc)) return;
    play = 0;
    console_lignef("point d'arret en $%04x", pc);
}

void simulateur::bascule_point(uint16_t adresse) {
    session.arrets.flip(adresse);
    rafraichit_desassemble();
}

void simulateur::clic_desassemblage(Fl_Widget* obj) {
    for (int y = 0; y < 12 && obj; y++)
        if (obj == point_desa[y]) bascule_point(adresses_desa[y]);
}

void simulateur::point_sur_pc() {
    bascule_point(inter.PC_value());
}

void simulateur::demande_point() {
    point_a_adresse(fl_input("Point d'arret a poser ou a retirer, adresse (12, $c, 0xc) ou "
                             "etiquette :",
                             ""));
}

void simulateur::point_a_adresse(const char* texte) {
    if (!texte) return; // cancelled
    std::string reponse = sans_blancs(texte);
    if (reponse.empty()) return;
    uint16_t adresse;
    std::string erreur;
    if (!lit_adresse(reponse, session.etiquettes, adresse, erreur)) {
        erreur = "point d'arret: " + erreur;
        console_ligne(erreur);
        fl_alert("%s", erreur.c_str());
        return;
    }
    bascule_point(adresse);
}

void simulateur::efface_points() {
    std::string ligne = "points d'arret effaces:";
    bool efface = false;
    for (uint32_t a = 0; a < 65536; a++) {
        if (!session.arrets.test(a)) continue;
        char texte[8];
        std::snprintf(texte, sizeof texte, " $%04x", a);
        ligne += texte;
        efface = true;
    }
    if (!efface) ligne += " aucun";
    console_ligne(ligne);
    session.arrets.reset();
    if (efface) rafraichit_desassemble();
}

void simulateur::choisit_vitesse() {
    int choix = SIM->VITESSE->value();
    cadence_pas.regle(choix >= 0 && choix < NB_VITESSES ? vitesses_choix[choix] : 0);
}

int simulateur::attend_cadence() {
    if (cadence_pas.vitesse() == 0) return 0;
    double reste = cadence_pas.reste(cadence::horloge());
    if (reste <= 0) return 0;
    // An event ends the wait early: the window answers at once, and the CPU rests meanwhile.
    Fl::wait(reste);
    return 1;
}

bool simulateur::pas_a_faire(Fl_Widget* obj) {
    bool bouton = obj == SIM->B_STEP;
    if (!bouton && !play) return false;
    if (cadence_pas.vitesse() == 0) return true; // full speed: no clock at all
    double maintenant = cadence::horloge();
    if (!bouton && cadence_pas.reste(maintenant) > 0) return false;
    cadence_pas.note_pas(maintenant);
    return true;
}
