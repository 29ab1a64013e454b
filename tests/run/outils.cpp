#include "outils.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

dossier_temporaire::dossier_temporaire() {
    char modele[] = "/tmp/quorvel_run_XXXXXX";
    const char* nom = mkdtemp(modele);
    chemin = nom ? nom : "/tmp";
}

dossier_temporaire::~dossier_temporaire() {
    std::error_code ignore;
    fs::remove_all(chemin, ignore);
}

std::string dossier_temporaire::ecrit(const std::string& nom, const std::string& contenu) const {
    fs::path fichier = chemin / nom;
    std::ofstream(fichier, std::ios::binary) << contenu;
    return fichier.string();
}

std::string dossier_temporaire::lit(const std::string& nom) const {
    return lit_fichier_test(chemin / nom);
}

std::string lit_fichier_test(const fs::path& chemin) {
    std::ifstream entree(chemin, std::ios::binary);
    std::ostringstream texte;
    texte << entree.rdbuf();
    return texte.str();
}

std::vector<std::string> lignes_de(const std::string& texte) {
    std::vector<std::string> lignes;
    std::istringstream flux(texte);
    for (std::string ligne; std::getline(flux, ligne);) lignes.push_back(ligne);
    return lignes;
}

std::string copie(const std::string& nom) {
    return std::string(COPIES) + "/" + nom;
}

resultat_commande lance(const char* programme, const std::vector<std::string>& arguments,
                        const std::string& entree, const std::string& dossier) {
    dossier_temporaire flux;
    std::string chemin_entree = flux.ecrit("entree", entree);
    fs::path sortie = flux.chemin / "sortie";
    fs::path erreurs = flux.chemin / "erreurs";
    pid_t pid = fork();
    if (pid == 0) {
        if (!dossier.empty() && chdir(dossier.c_str()) != 0) _exit(127);
        int e = open(chemin_entree.c_str(), O_RDONLY);
        int s = open(sortie.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int r = open(erreurs.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(e, 0);
        dup2(s, 1);
        dup2(r, 2);
        std::vector<char*> argv = {const_cast<char*>(programme)};
        for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(programme, argv.data());
        _exit(127);
    }
    int statut = 0;
    waitpid(pid, &statut, 0);
    resultat_commande r;
    r.statut = WIFEXITED(statut) ? WEXITSTATUS(statut) : -1;
    r.sortie = lit_fichier_test(sortie);
    r.erreurs = lit_fichier_test(erreurs);
    return r;
}

std::string relit(const std::string& genre, const std::string& texte) {
    dossier_temporaire d;
    std::string fichier = d.ecrit("a_relire", texte);
    std::string commande = std::string(PYTHON) + " " + RELIT + " " + genre + " " + fichier;
    FILE* tube = popen(commande.c_str(), "r");
    if (!tube) return "popen impossible";
    std::string resultat;
    char tampon[4096];
    size_t lus;
    while ((lus = fread(tampon, 1, sizeof tampon, tube)) > 0) resultat.append(tampon, lus);
    int statut = pclose(tube);
    if (statut != 0) resultat += "(relit.py: statut " + std::to_string(statut) + ")";
    return resultat;
}
