// What the tests of quorvel-run share: the command run as a user runs it, a scratch folder, and
// Python's parsers to read back its JSON, CSV and JUnit.
#ifndef QUORVEL_TESTS_RUN_OUTILS_H
#define QUORVEL_TESTS_RUN_OUTILS_H

#include <filesystem>
#include <string>
#include <vector>

struct resultat_commande {
    int statut = -1; // exit status; -1 when killed by a signal
    std::string sortie;
    std::string erreurs;
};

// A folder of its own for each test, removed at the end.
class dossier_temporaire {
  public:
    dossier_temporaire();
    ~dossier_temporaire();
    dossier_temporaire(const dossier_temporaire&) = delete;
    dossier_temporaire& operator=(const dossier_temporaire&) = delete;

    std::filesystem::path chemin;
    // Writes contenu into the file nom of the folder and returns its path.
    std::string ecrit(const std::string& nom, const std::string& contenu) const;
    std::string lit(const std::string& nom) const;
};

// Runs programme without a shell, in dossier (the current one if empty), entree on its
// standard input.
resultat_commande lance(const char* programme, const std::vector<std::string>& arguments,
                        const std::string& entree = "", const std::string& dossier = "");
inline resultat_commande lance_run(const std::vector<std::string>& arguments,
                                   const std::string& entree = "",
                                   const std::string& dossier = "") {
    return lance(QUORVEL_RUN, arguments, entree, dossier);
}

// relit.py's flat form of a JSON, CSV or JUnit text (genre "json", "csv", "junit").
std::string relit(const std::string& genre, const std::string& texte);

std::string lit_fichier_test(const std::filesystem::path& chemin);
std::vector<std::string> lignes_de(const std::string& texte);

// A test student's source or case file, in tests/run/copies.
std::string copie(const std::string& nom);

#endif
