// A private folder of files for one test, removed with it.
#ifndef QUORVEL_TESTS_DOSSIER_H
#define QUORVEL_TESTS_DOSSIER_H

#include <string>

class dossier_temporaire {
  public:
    dossier_temporaire();
    ~dossier_temporaire();
    dossier_temporaire(const dossier_temporaire&) = delete;
    dossier_temporaire& operator=(const dossier_temporaire&) = delete;

    std::string chemin(const std::string& nom) const { return racine + "/" + nom; }
    // Writes the file (bytes as they are) and returns its path.
    std::string ecrit(const std::string& nom, const std::string& contenu) const;

    std::string racine;
};

#endif
