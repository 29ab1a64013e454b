// quorvel-asm run as a user runs it: exit status, the two streams, and the files left behind.
#include "assembleur.h"
#include "outils.h"
#include "sortie.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const char* const USAGE = "usage: quorvel-asm SOURCE.s [-o PROGRAMME.bin] [-l LISTING.txt]\n";

struct resultat {
    int code;
    std::string sortie;
    std::string erreurs;
};

std::string lit(const fs::path& chemin) {
    std::ifstream entree(chemin, std::ios::binary);
    std::ostringstream texte;
    texte << entree.rdbuf();
    return texte.str();
}

void ecrit(const fs::path& chemin, const std::string& contenu) {
    std::ofstream(chemin, std::ios::binary) << contenu;
}

// Runs the assembler in dossier, without a shell, its two streams into files.
resultat lance(const fs::path& dossier, const std::vector<std::string>& arguments) {
    fs::path sortie = dossier.parent_path() / (dossier.filename().string() + ".out");
    fs::path erreurs = dossier.parent_path() / (dossier.filename().string() + ".err");
    pid_t pid = fork();
    if (pid == 0) {
        if (chdir(dossier.c_str()) != 0) _exit(127);
        int s = open(sortie.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int e = open(erreurs.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(s, 1);
        dup2(e, 2);
        std::vector<char*> argv = {const_cast<char*>(QUORVEL_ASM)};
        for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
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

std::vector<std::string> contenu_du_dossier(const fs::path& dossier) {
    std::vector<std::string> noms;
    for (const auto& entree : fs::directory_iterator(dossier))
        noms.push_back(entree.path().filename().string());
    std::sort(noms.begin(), noms.end());
    return noms;
}

std::string liste(const std::vector<std::string>& noms) {
    std::string texte;
    for (const std::string& n : noms) texte += n + " ";
    return texte;
}

struct cas_commande {
    const char* nom;
    const char* source; // written to prog.s; nullptr: no source file
    const char* ancien; // p.bin before the run; nullptr: none
    std::vector<std::string> arguments;
    int code;
    std::string erreurs;
    std::string sortie;
    std::vector<std::string> fichiers; // the whole folder afterwards, sorted
};

const std::string ERREURS_FOO = "prog.s:1: mnemonique inconnu: FOO\n"
                                "prog.s:3: operande du mode immediat hors limites: 300 (de -128 "
                                "a 255)\n";

const cas_commande CAS[] = {
    {"succes", "NOP", nullptr, {"prog.s", "-o", "p.bin"}, 0, "", "", {"p.bin", "prog.s"}},
    {"nom par defaut", "NOP", nullptr, {"prog.s"}, 0, "", "", {"prog.bin", "prog.s"}},
    {"remplace l'ancien fichier",
     "NOP",
     "ancien",
     {"prog.s", "-o", "p.bin"},
     0,
     "",
     "",
     {"p.bin", "prog.s"}},
    {"options avant la source",
     "NOP",
     nullptr,
     {"-l", "p.lst", "-o", "p.bin", "prog.s"},
     0,
     "",
     "",
     {"p.bin", "p.lst", "prog.s"}},
    {"avertissement seul",
     " ORG 1\n NOP",
     nullptr,
     {"prog.s", "-o", "p.bin"},
     0,
     "prog.s: avertissement: rien n'est place a l'adresse 0, ou le programme demarre\n",
     "",
     {"p.bin", "prog.s"}},
    {"erreurs: l'ancien fichier reste",
     "FOO\nNOP\nLOADI 300",
     "ancien",
     {"prog.s", "-o", "p.bin", "-l", "p.lst"},
     1,
     ERREURS_FOO,
     "",
     {"p.bin", "prog.s"}},
    {"erreurs: rien n'est ecrit",
     "FOO\nNOP\nLOADI 300",
     nullptr,
     {"prog.s", "-o", "p.bin", "-l", "p.lst"},
     1,
     ERREURS_FOO,
     "",
     {"prog.s"}},
    {"source absente",
     nullptr,
     nullptr,
     {"absent.s", "-o", "p.bin"},
     1,
     "quorvel-asm: impossible de lire absent.s\n",
     "",
     {}},
    {"source qui est un dossier",
     nullptr,
     nullptr,
     {".", "-o", "p.bin"},
     1,
     "quorvel-asm: impossible de lire .\n",
     "",
     {}},
    {"dossier de sortie absent",
     "NOP",
     nullptr,
     {"prog.s", "-o", "absent/p.bin"},
     1,
     "quorvel-asm: impossible d'ecrire absent/p.bin: No such file or directory\n",
     "",
     {"prog.s"}},
    {"listing impossible: le programme non plus",
     "NOP",
     "ancien",
     {"prog.s", "-o", "p.bin", "-l", "absent/p.lst"},
     1,
     "quorvel-asm: impossible d'ecrire absent/p.lst: No such file or directory\n",
     "",
     {"p.bin", "prog.s"}},
    {"sans argument", "NOP", nullptr, {}, 2, USAGE, "", {"prog.s"}},
    {"-o sans valeur", "NOP", nullptr, {"prog.s", "-o"}, 2, USAGE, "", {"prog.s"}},
    {"deux sources", "NOP", nullptr, {"prog.s", "autre.s"}, 2, USAGE, "", {"prog.s"}},
    {"option inconnue", "NOP", nullptr, {"prog.s", "-x"}, 2, USAGE, "", {"prog.s"}},
    {"aide",
     "NOP",
     nullptr,
     {"--help"},
     0,
     "",
     std::string(USAGE) + "Assemble SOURCE.s en un fichier binaire pour le simulateur quorvel.\n",
     {"prog.s"}},
};

std::string sortie_attendue(const std::string& source, const std::string& nom) {
    programme_asm programme = assemble(source);
    if (nom.size() > 4 && nom.substr(nom.size() - 4) == ".lst") return texte_listing(programme);
    std::vector<uint8_t> octets = fichier_programme(programme);
    return std::string(octets.begin(), octets.end());
}

TEST(LigneDeCommande, CodesFluxEtFichiers) {
    for (const cas_commande& c : CAS) {
        SCOPED_TRACE(c.nom);
        std::string modele = testing::TempDir() + "quorvel_asm_XXXXXX";
        ASSERT_NE(mkdtemp(modele.data()), nullptr);
        fs::path dossier = modele;
        if (c.source) ecrit(dossier / "prog.s", c.source);
        if (c.ancien) ecrit(dossier / "p.bin", c.ancien);

        resultat r = lance(dossier, c.arguments);
        EXPECT_EQ(r.code, c.code);
        EXPECT_EQ(r.erreurs, c.erreurs);
        EXPECT_EQ(r.sortie, c.sortie);
        // No temporary file may be left behind, whatever happened.
        EXPECT_EQ(liste(contenu_du_dossier(dossier)), liste(c.fichiers));
        for (const std::string& nom : c.fichiers) {
            if (nom == "prog.s") continue;
            bool ancien_garde = c.code != 0 && c.ancien && nom == "p.bin";
            EXPECT_EQ(lit(dossier / nom), ancien_garde ? c.ancien : sortie_attendue(c.source, nom))
                << nom;
        }
        fs::remove_all(dossier);
    }
}

} // namespace
