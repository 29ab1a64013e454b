#include "dossier.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

dossier_temporaire::dossier_temporaire() {
    char modele[] = "/tmp/quorvel_dossier_XXXXXX";
    const char* d = mkdtemp(modele);
    racine = d ? d : "/tmp";
}

dossier_temporaire::~dossier_temporaire() {
    if (racine != "/tmp") std::filesystem::remove_all(racine);
}

std::string dossier_temporaire::ecrit(const std::string& nom, const std::string& contenu) const {
    std::string c = chemin(nom);
    std::ofstream(c, std::ios::binary | std::ios::trunc) << contenu;
    return c;
}
