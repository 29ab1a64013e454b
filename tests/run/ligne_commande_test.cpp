// quorvel-run's command line as a user types it: every wrong one ends with status 2 and one
// French message that names the option, before anything runs or is written.
#include "outils.h"

#include <gtest/gtest.h>

namespace {

const std::string INDICE = "Essayez \"quorvel-run --help\".\n";
const char* const NON_NOMBRE =
    "\" n'est pas un nombre (decimal sans zero en tete, ou hexadecimal apres 0x ou $)";

struct cas_usage {
    const char* nom;
    std::vector<std::string> arguments; // PROG stands for a valid source
    std::string message;                // after "quorvel-run: "
};

const cas_usage usages[] = {
    {"sans programme", {}, "PROGRAMME manquant"},
    {"deux programmes", {"PROG", "PROG"}, "un seul PROGRAMME a la fois"},
    {"option inconnue", {"PROG", "--vite"}, "option inconnue: --vite"},
    {"valeur manquante", {"PROG", "-n"}, "valeur manquante apres --pas"},
    {"option donnee deux fois",
     {"PROG", "-n", "5", "--pas", "6"},
     "--pas attend au plus 1 valeur(s), recu 2"},
    {"drapeau avec valeur", {"PROG", "--json=1"}, "--json ne prend pas de valeur"},
    {"budget nul", {"PROG", "-n", "0"}, "--pas: il faut au moins une instruction"},
    {"budget en octal", {"PROG", "-n", "012"}, std::string("--pas: \"012") + NON_NOMBRE},
    {"budget signe", {"PROG", "-n", "-5"}, std::string("--pas: \"-5") + NON_NOMBRE},
    {"budget plus", {"PROG", "--pas=+5"}, std::string("--pas: \"+5") + NON_NOMBRE},
    {"budget trop grand",
     {"PROG", "-n", "1000000000001"},
     "--pas: 1000000000001 depasse 1000000000000"},
    {"budget hexa vide", {"PROG", "-n", "0x"}, std::string("--pas: \"0x") + NON_NOMBRE},
    {"registre inconnu",
     {"PROG", "--registre", "Y=1"},
     "--registre: registre inconnu \"Y\" (A, X ou PC)"},
    {"registre sans valeur", {"PROG", "--registre", "A="}, "--registre: attendu R=V (A, X ou PC)"},
    {"A sur 8 bits", {"PROG", "--registre", "A=256"}, "--registre A: 256 depasse 255"},
    {"X sur 16 bits", {"PROG", "--registre", "X=0x10000"}, "--registre X: 0x10000 depasse 65535"},
    {"registre signe",
     {"PROG", "--registre", "PC=-1"},
     std::string("--registre PC: \"-1") + NON_NOMBRE},
    {"memoire sans =", {"PROG", "--memoire", "0x30"}, "--memoire: attendu ADR=V[,V...]"},
    {"memoire octet vide",
     {"PROG", "--memoire", "0x30=1,,2"},
     std::string("--memoire: \"") + NON_NOMBRE},
    {"memoire octet trop grand", {"PROG", "--memoire", "0x30=1,256"}, "--memoire: 256 depasse 255"},
    {"memoire adresse", {"PROG", "--memoire", "$10000=1"}, "--memoire: $10000 depasse 65535"},
    {"port C sans entree", {"PROG", "--port", "C=1"}, "--port: le port C n'a pas d'entree"},
    {"port inconnu", {"PROG", "--port", "D=1"}, "--port: port inconnu \"D\" (A ou B)"},
    {"port trop grand", {"PROG", "--port", "B=0x100"}, "--port: 0x100 depasse 255"},
    {"entree au pas 0",
     {"PROG", "--entree", "0:B=1"},
     "--entree: les pas se comptent a partir de 1"},
    {"entree mal formee", {"PROG", "--entree", "5B=1"}, "--entree: attendu K:P=V"},
    {"entree sur C", {"PROG", "--entree", "5:C=1"}, "--entree: le port C n'a pas d'entree"},
    {"dump de longueur 0", {"PROG", "--dump", "0:0"}, "--dump: une longueur de 0 n'affiche rien"},
    {"dump trop long", {"PROG", "--dump", "0:65537"}, "--dump: 65537 depasse 65536"},
    {"jusqua ni nombre ni etiquette",
     {"PROG", "--jusqua", "a-b"},
     "--jusqua: \"a-b\" n'est ni une adresse ni une etiquette"},
    {"jusqua decimal a zero",
     {"PROG", "--jusqua", "08"},
     std::string("--jusqua: \"08") + NON_NOMBRE},
    {"jusqua etiquette inconnue",
     {"PROG", "--jusqua", "fni"},
     "--jusqua: etiquette inconnue \"fni\""},
    {"deux traces",
     {"PROG", "--trace", "--trace-fichier", "t.txt"},
     "--trace et --trace-fichier ne vont pas ensemble"},
    {"trace dans un fichier sans nom",
     {"PROG", "--trace-fichier", ""},
     "--trace-fichier: nom de fichier vide"},
    {"rapport sans nom",
     {"--cas", "e.toml", "PROG", "--rapport", ""},
     "--rapport: nom de fichier vide"},
    {"-j sans --cas", {"PROG", "-j", "2"}, "-j ne s'emploie qu'avec --cas"},
    {"--rapport sans --cas",
     {"PROG", "--rapport", "n.csv"},
     "--rapport ne s'emploie qu'avec --cas"},
    {"--json avec --cas",
     {"--cas", "e.toml", "--json", "PROG"},
     "--json ne s'emploie pas avec --cas"},
    {"--trace avec --cas",
     {"--cas", "e.toml", "--trace", "PROG"},
     "--trace ne s'emploie pas avec --cas"},
    {"--cas sans copie", {"--cas", "e.toml"}, "--cas: aucune COPIE a corriger"},
    {"-j nul", {"--cas", "e.toml", "-j", "0", "PROG"}, "-j: il faut au moins une tache"},
    {"-j mal forme",
     {"--cas", "e.toml", "-j", "deux", "PROG"},
     std::string("-j: \"deux") + NON_NOMBRE},
};

TEST(LigneCommande, UsageStatut2EtMessageFrancais) {
    dossier_temporaire d;
    std::string programme = d.ecrit("prog.s", "fin: B fin\n");
    for (const cas_usage& u : usages) {
        SCOPED_TRACE(u.nom);
        std::vector<std::string> arguments;
        for (const std::string& a : u.arguments) arguments.push_back(a == "PROG" ? programme : a);
        resultat_commande r = lance_run(arguments, "", d.chemin.string());
        EXPECT_EQ(r.statut, 2);
        EXPECT_EQ(r.erreurs, "quorvel-run: " + u.message + "\n" + INDICE);
        EXPECT_EQ(r.sortie, "");
    }
    EXPECT_FALSE(std::filesystem::exists(d.chemin / "t.txt")) << "nothing written before a run";
}

TEST(LigneCommande, AideEnFrancaisSurLaSortieStandard) {
    for (const char* option : {"-h", "--help"}) {
        SCOPED_TRACE(option);
        resultat_commande r = lance_run({option});
        EXPECT_EQ(r.statut, 0);
        EXPECT_EQ(r.erreurs, "");
        EXPECT_EQ(r.sortie.rfind("usage: quorvel-run PROGRAMME [options]\n", 0), 0u);
        for (const char* mot : {"--pas", "--jusqua", "--registre", "--memoire", "--port",
                                "--entree", "--dump", "--trace-fichier", "--console", "--json",
                                "--cas", "--rapport", "--junit", "Statut de sortie"})
            EXPECT_NE(r.sortie.find(mot), std::string::npos) << mot;
        for (const char* anglais : {"Usage:", "Options:", "Positionals:", "REQUIRED", "TEXT"})
            EXPECT_EQ(r.sortie.find(anglais), std::string::npos) << anglais;
    }
    // Help wins over what is wrong after it, as with most commands.
    EXPECT_EQ(lance_run({"--help", "--vite"}).statut, 0);
}

TEST(LigneCommande, Version) {
    resultat_commande r = lance_run({"--version"});
    EXPECT_EQ(r.statut, 0);
    EXPECT_EQ(r.sortie, std::string("quorvel-run ") + QUORVEL_VERSION + "\n");
}

// Files that cannot be read: status 1, the path named.
TEST(LigneCommande, FichiersIllisibles) {
    dossier_temporaire d;
    struct cas_fichier {
        const char* nom;
        std::vector<std::string> arguments;
        std::string message;
    };
    const cas_fichier cas[] = {
        {"programme absent",
         {"absent.bin"},
         "quorvel-run: impossible de lire absent.bin: fichier introuvable\n"},
        {"source absente",
         {"absent.s"},
         "quorvel-run: impossible de lire absent.s: fichier introuvable\n"},
        {"un dossier", {"."}, "quorvel-run: impossible de lire .: c'est un dossier\n"},
        {"programme vide",
         {"/dev/null"},
         "quorvel-run: impossible de charger /dev/null: fichier vide ou trop court\n"},
        {"exercice absent",
         {"--cas", "absent.toml", "x.s"},
         "quorvel-run: impossible de lire absent.toml: fichier introuvable\n"},
    };
    for (const cas_fichier& c : cas) {
        SCOPED_TRACE(c.nom);
        resultat_commande r = lance_run(c.arguments, "", d.chemin.string());
        EXPECT_EQ(r.statut, 1);
        EXPECT_EQ(r.erreurs, c.message);
        EXPECT_EQ(r.sortie, "");
    }
}

} // namespace
