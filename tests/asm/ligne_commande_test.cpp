// quorvel-asm run as a user runs it: its options, exit statuses, streams and files.
#include "assembleur.h"
#include "commande.h"
#include "outils.h"
#include "sortie.h"

#include <gtest/gtest.h>

namespace {

const char* const AIDE = "Pour l'aide: quorvel-asm --help\n";

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
     "quorvel-asm: impossible de lire absent.s: fichier introuvable\n",
     "",
     {}},
    {"source qui est un dossier",
     nullptr,
     nullptr,
     {".", "-o", "p.bin"},
     1,
     "quorvel-asm: impossible de lire .: c'est un dossier\n",
     "",
     {}},
    {"dossier de sortie absent",
     "NOP",
     nullptr,
     {"prog.s", "-o", "absent/p.bin"},
     1,
     "quorvel-asm: impossible d'ecrire absent/p.bin: dossier introuvable\n",
     "",
     {"prog.s"}},
    {"listing impossible: le programme non plus",
     "NOP",
     "ancien",
     {"prog.s", "-o", "p.bin", "-l", "absent/p.lst"},
     1,
     "quorvel-asm: impossible d'ecrire absent/p.lst: dossier introuvable\n",
     "",
     {"p.bin", "prog.s"}},
    {"sans argument",
     "NOP",
     nullptr,
     {},
     2,
     std::string("quorvel-asm: argument obligatoire manquant: SOURCE\n") + AIDE,
     "",
     {"prog.s"}},
    {"-o sans valeur",
     "NOP",
     nullptr,
     {"prog.s", "-o"},
     2,
     std::string("quorvel-asm: valeur manquante apres -o\n") + AIDE,
     "",
     {"prog.s"}},
    {"deux sources",
     "NOP",
     nullptr,
     {"prog.s", "autre.s"},
     2,
     std::string("quorvel-asm: argument inattendu: autre.s\n") + AIDE,
     "",
     {"prog.s"}},
    {"option inconnue",
     "NOP",
     nullptr,
     {"prog.s", "-x"},
     2,
     std::string("quorvel-asm: option inconnue: -x\n") + AIDE,
     "",
     {"prog.s"}},
    {"option longue inconnue",
     "NOP",
     nullptr,
     {"--sortie=p.bin", "prog.s"},
     2,
     std::string("quorvel-asm: option inconnue: --sortie=p.bin\n") + AIDE,
     "",
     {"prog.s"}},
    {"-o deux fois: le dernier compte",
     "NOP",
     nullptr,
     {"prog.s", "-o", "a.bin", "-o", "p.bin"},
     0,
     "",
     "",
     {"p.bin", "prog.s"}},
    {"version",
     "NOP",
     nullptr,
     {"--version"},
     0,
     "",
     "quorvel-asm " QUORVEL_VERSION "\n",
     {"prog.s"}},
    {"version avant tout le reste",
     "NOP",
     nullptr,
     {"prog.s", "-x", "--version"},
     0,
     "",
     "quorvel-asm " QUORVEL_VERSION "\n",
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
        fs::path dossier = dossier_temporaire();
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

// The help goes to standard output, in French, and names every option.
TEST(LigneDeCommande, Aide) {
    fs::path dossier = dossier_temporaire();
    for (const char* option : {"--help", "-h"}) {
        SCOPED_TRACE(option);
        resultat r = lance(dossier, {"prog.s", option});
        EXPECT_EQ(r.code, 0);
        EXPECT_EQ(r.erreurs, "");
        EXPECT_EQ(r.sortie.rfind("Assemble une source en un fichier programme", 0), 0u) << r.sortie;
        for (const char* texte :
             {"Utilisation: quorvel-asm [OPTIONS] SOURCE\n", "\n  -o PROGRAMME.bin ",
              "\n  -l LISTING.txt ", "\n  --version ", "\n  -h,--help ", "entree standard"})
            EXPECT_NE(r.sortie.find(texte), std::string::npos) << texte;
        for (const char* anglais : {"Usage", "Positionals", "REQUIRED", "Print", "TEXT"})
            EXPECT_EQ(r.sortie.find(anglais), std::string::npos) << anglais;
    }
    EXPECT_EQ(liste(contenu_du_dossier(dossier)), "");
    fs::remove_all(dossier);
}
