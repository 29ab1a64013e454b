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
#include <sys/wait.h>
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
    std::unique_ptr<simulateur> sim = nouveau_simulateur_file_pleine(arguments);
    vide_file();
    return sim;
}

std::unique_ptr<simulateur>
nouveau_simulateur_file_pleine(const std::vector<std::string>& arguments) {
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

namespace {

std::string lit_jusqu_a_la_fin(int fd) {
    std::string texte;
    char tampon[4096];
    ssize_t n;
    while ((n = read(fd, tampon, sizeof tampon)) > 0) texte.append(tampon, size_t(n));
    close(fd);
    return texte;
}

} // namespace

sortie_processus execute_quorvel(const std::vector<std::string>& arguments) {
    int erreur[2], sortie[2];
    if (pipe(erreur) != 0 || pipe(sortie) != 0) return {"", "", -1};
    pid_t pid = fork();
    if (pid == 0) {
        dup2(erreur[1], 2);
        dup2(sortie[1], 1);
        close(erreur[0]);
        close(sortie[0]);
        std::vector<std::string> textes = arguments;
        std::vector<char*> argv{const_cast<char*>(QUORVEL_PROGRAMME)};
        for (std::string& t : textes) argv.push_back(&t[0]);
        argv.push_back(nullptr);
        execv(QUORVEL_PROGRAMME, argv.data());
        _exit(127);
    }
    close(erreur[1]);
    close(sortie[1]);
    // Both pipes are small and the program writes little before it ends.
    sortie_processus r;
    r.sortie = lit_jusqu_a_la_fin(sortie[0]);
    r.erreur = lit_jusqu_a_la_fin(erreur[0]);
    int statut = 0;
    waitpid(pid, &statut, 0);
    r.statut = WIFEXITED(statut) ? WEXITSTATUS(statut) : -1;
    return r;
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

namespace {

int reveil[2] = {-1, -1};

void vide_reveil(int fd, void*) {
    char octet;
    if (read(fd, &octet, 1) < 0) return;
}

} // namespace

void reveille() {
    if (reveil[1] < 0) {
        if (pipe(reveil) != 0) return;
        Fl::add_fd(reveil[0], FL_READ, vide_reveil);
    }
    if (write(reveil[1], "r", 1) < 0) return;
}
