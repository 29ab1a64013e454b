// Output files that appear whole or not at all: a failed run must leave an existing program
// file as it was, since the simulator may be about to load it.
#ifndef QUORVEL_ASM_FICHIERS_H
#define QUORVEL_ASM_FICHIERS_H

#include <string>

struct fichier_prepare {
    std::string chemin;
    std::string temporaire; // in the same folder, so that the rename cannot cross file systems
};

// Writes contenu under a temporary name next to chemin. On failure, erreur says why and nothing
// is left behind.
bool prepare_fichier(const std::string& chemin, const std::string& contenu,
                     fichier_prepare& fichier, std::string& erreur);

// Renames the temporary file over chemin.
bool installe_fichier(const fichier_prepare& fichier, std::string& erreur);

void abandonne_fichier(const fichier_prepare& fichier);

// The whole file; false when it cannot be read.
bool lit_fichier(const std::string& chemin, std::string& contenu);

#endif
