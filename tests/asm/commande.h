// quorvel-asm run as a user runs it, without a shell, in a folder of its own: exit status, the
// two streams, and the files left behind.
#ifndef QUORVEL_TESTS_ASM_COMMANDE_H
#define QUORVEL_TESTS_ASM_COMMANDE_H

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

struct resultat {
    int code; // -1: ended by a signal
    std::string sortie;
    std::string erreurs;
};

struct lancement {
    std::vector<std::string> arguments;
    std::string entree = "/dev/null"; // opened as standard input, from the folder
    rlim_t memoire = 0;               // a limit on the address space, when not 0
    rlim_t processeur = 0;            // a limit on CPU seconds, when not 0
};

inline std::string lit(const fs::path& chemin) {
    std::ifstream entree(chemin, std::ios::binary);
    std::ostringstream texte;
    texte << entree.rdbuf();
    return texte.str();
}

inline void ecrit(const fs::path& chemin, const std::string& contenu) {
    std::ofstream(chemin, std::ios::binary) << contenu;
}

// A fresh folder under the test's temporary folder.
inline fs::path dossier_temporaire() {
    std::string modele = testing::TempDir() + "quorvel_asm_XXXXXX";
    if (mkdtemp(modele.data()) == nullptr) ADD_FAILURE() << "mkdtemp";
    return modele;
}

inline void limite(int ressource, rlim_t valeur) {
    if (valeur == 0) return;
    rlimit r = {valeur, valeur};
    setrlimit(ressource, &r);
}

inline resultat lance(const fs::path& dossier, const lancement& l) {
    fs::path sortie = dossier.parent_path() / (dossier.filename().string() + ".out");
    fs::path erreurs = dossier.parent_path() / (dossier.filename().string() + ".err");
    pid_t pid = fork();
    if (pid == 0) {
        if (chdir(dossier.c_str()) != 0) _exit(127);
        int e = open(l.entree.c_str(), O_RDONLY);
        int s = open(sortie.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int r = open(erreurs.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (e < 0 || s < 0 || r < 0) _exit(127);
        dup2(e, 0);
        dup2(s, 1);
        dup2(r, 2);
        limite(RLIMIT_AS, l.memoire);
        limite(RLIMIT_CPU, l.processeur);
        std::vector<char*> argv = {const_cast<char*>(QUORVEL_ASM)};
        for (const std::string& a : l.arguments) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(QUORVEL_ASM, argv.data());
        _exit(127);
    }
    int statut = 0;
    waitpid(pid, &statut, 0);
    resultat r = {WIFEXITED(statut) ? WEXITSTATUS(statut) : -1, lit(sortie), lit(erreurs)};
    fs::remove(sortie);
    fs::remove(erreurs);
    return r;
}

inline resultat lance(const fs::path& dossier, const std::vector<std::string>& arguments) {
    lancement l;
    l.arguments = arguments;
    return lance(dossier, l);
}

inline std::vector<std::string> contenu_du_dossier(const fs::path& dossier) {
    std::vector<std::string> noms;
    std::error_code erreur;
    for (const auto& entree : fs::directory_iterator(dossier, erreur))
        noms.push_back(entree.path().filename().string());
    std::sort(noms.begin(), noms.end());
    return noms;
}

inline std::string liste(const std::vector<std::string>& noms) {
    std::string texte;
    for (const std::string& n : noms) texte += n + " ";
    return texte;
}

#endif
