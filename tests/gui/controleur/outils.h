// What the controller's tests share: a simulator built as the program builds it, widgets queued
// as the toolkit queues them, and the console trace caught for comparison.
#ifndef QUORVEL_TESTS_OUTILS_H
#define QUORVEL_TESTS_OUTILS_H

#include "interface2.h"

#include <memory>
#include <string>
#include <vector>

// Standard error (file descriptor 2) goes to a temporary file until fin().
class capture_erreur {
  public:
    capture_erreur();
    ~capture_erreur();
    std::string fin();

  private:
    int ancien;
    int fichier;
    bool active;
};

// A simulator built from the given arguments (after the program's name), its window shown, and
// an empty object queue.
std::unique_ptr<simulateur> nouveau_simulateur(const std::vector<std::string>& arguments = {});

// The same, with the object queue as the constructor left it (a program named on the command
// line is waiting there for the first pass).
std::unique_ptr<simulateur>
nouveau_simulateur_file_pleine(const std::vector<std::string>& arguments);

void vide_file();

// A person's click or answer reaches the toolkit's wait as an X event, which ends the wait; a
// change made from a timeout does not. A byte on a pipe watched by the toolkit plays the part of
// that event.
void reveille();

// Queues obj (if any) through its default callback, then runs one pass.
int passe_avec(simulateur& sim, Fl_Widget* obj);

// Chooses item (counted from 1) of the File menu and queues the menu, as a person's pick does.
void choisit_menu(simulateur& sim, int item);

// Types the three fill inputs and runs the pass of VALID_MEM.
void remplit(simulateur& sim, const char* adresse, const char* valeur, const char* nombre);

// The real program run in a child process with these arguments (no display needed by the ones
// that end before the window): its standard error, standard output and exit status.
struct sortie_processus {
    std::string erreur;
    std::string sortie;
    int statut;
};
sortie_processus execute_quorvel(const std::vector<std::string>& arguments);

std::vector<std::string> lignes(const std::string& texte);
int compte(const std::vector<std::string>& lignes, const std::string& ligne);

#endif
