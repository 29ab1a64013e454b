// quorvel-run's command line, read with CLI11: one program to run, or (--cas) an exercise and
// the submissions to grade.
#ifndef QUORVEL_RUN_OPTIONS_H
#define QUORVEL_RUN_OPTIONS_H

#include "etat_final.h"
#include "reglages.h"

#include "ligne_commande.h"

#include <string>
#include <vector>

constexpr int CONTINUE = -1;

struct options_run {
    std::vector<std::string> fichiers; // the program, or the submissions
    depart_run depart;
    deroulement_run deroulement; // its stop addresses come from jusqua once the program is read
    std::vector<cible_arret> jusqua;
    std::vector<vidage> vidages;
    bool trace = false;
    std::string trace_fichier;
    bool console = false;
    bool json = false;
    // Grading.
    bool correction = false; // --cas given
    std::string cas;
    std::string rapport;
    std::string junit;
    unsigned taches = 0; // 0: one per core
};

// CONTINUE, or the exit status once the command line has been answered: 0 after --help or
// --version, SORTIE_USAGE after a usage message on standard error.
int lit_options(int argc, char** argv, options_run& o);

// "quorvel-run: MESSAGE" and the hint to --help on standard error; returns SORTIE_USAGE.
int erreur_usage(const std::string& message);

#endif
