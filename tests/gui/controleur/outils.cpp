#include "outils.h"

#include <FL/Fl.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Menu_Button.H>
#include <FL/Fl_Return_Button.H>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <iostream>
#include <sstream>
#include <unistd.h>

capture_erreur::capture_erreur() : ancien(-1), fichier(-1), active(false) {
    std::cerr.flush();
    char modele[] = "/tmp/quorvel_trace_XXXXXX";
    fichier = mkstemp(modele);
    if (fichier < 0) return;
    unlink(modele);
    ancien = dup(2);
    dup2(fichier, 2);
    active = true;
}

capture_erreur::~capture_erreur() {
    fin();
}

std::string capture_erreur::fin() {
    if (!active) return "";
    std::cerr.flush();
    dup2(ancien, 2);
    close(ancien);
    active = false;
    std::string texte;
    char tampon[4096];
    lseek(fichier, 0, SEEK_SET);
    ssize_t n;
    while ((n = read(fichier, tampon, sizeof tampon)) > 0) texte.append(tampon, size_t(n));
    close(fichier);
    return texte;
}

std::unique_ptr<simulateur> nouveau_simulateur(const std::vector<std::string>& arguments) {
    // The toolkit keeps pointers into the argument vector: the texts live as long as the run.
    static std::deque<std::string> textes;
    static std::deque<std::vector<char*>> vecteurs;
    std::vector<char*> argv;
    textes.push_back("quorvel");
    argv.push_back(&textes.back()[0]);
    for (const std::string& a : arguments) {
        textes.push_back(a);
        argv.push_back(&textes.back()[0]);
    }
    argv.push_back(nullptr);
    vecteurs.push_back(argv);
    capture_erreur silence; // the first drawing's trace is not what the tests look at
    std::unique_ptr<simulateur> sim(
        new simulateur(static_cast<int>(argv.size() - 1), vecteurs.back().data()));
    Fl::check();
    vide_file();
    return sim;
}

void vide_file() {
    while (Fl::readqueue()) {
    }
}

int passe_avec(simulateur& sim, Fl_Widget* obj) {
    if (obj) obj->do_callback();
    return sim.passe();
}

void choisit_menu(simulateur& sim, int item) {
    sim.SIM->m_fichier->value(item - 1);
    sim.SIM->m_fichier->do_callback();
}

void remplit(simulateur& sim, const char* adresse, const char* valeur, const char* nombre) {
    sim.SIM->adresse_select->value(adresse);
    sim.SIM->valeur_select->value(valeur);
    sim.SIM->multiplicateur_select->value(nombre);
    passe_avec(sim, sim.SIM->VALID_MEM);
}

std::vector<std::string> lignes(const std::string& texte) {
    std::vector<std::string> resultat;
    std::istringstream flux(texte);
    std::string ligne;
    while (std::getline(flux, ligne)) resultat.push_back(ligne);
    return resultat;
}

int compte(const std::vector<std::string>& lignes, const std::string& ligne) {
    int n = 0;
    for (const std::string& l : lignes) n += l == ligne;
    return n;
}
