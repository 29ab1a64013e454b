// The shared reading of the tools' command lines: each CLI11 parse error comes out in French with
// exit status 2, the help and the version on standard output with status 0.
#include "ligne_commande.h"

#include <gtest/gtest.h>

namespace {

struct options_outil {
    std::string entree;
    int n = 0;
    std::vector<int> paire;
    std::string avec;
    std::string sans;
    std::string besoin;
    std::string verifie;
};

// A tool with one option of each kind that can go wrong.
void decrit(CLI::App& app, options_outil& o) {
    francise(app, "outil 1.0");
    app.add_option("ENTREE", o.entree, "ce que l'outil lit")->required();
    app.add_option("-n", o.n, "un entier");
    app.add_option("--paire", o.paire, "deux entiers")->expected(2);
    CLI::Option* avec = app.add_option("--avec", o.avec, "l'un");
    avec->excludes(app.add_option("--sans", o.sans, "ou l'autre"));
    app.add_option("--besoin", o.besoin, "avec --avec")->needs(avec);
    app.add_option("--verifie", o.verifie, "x seulement")->check([](const std::string& v) {
        return v == "x" ? std::string() : std::string("doit valoir x");
    });
}

struct cas_analyse {
    std::vector<const char*> arguments;
    int code;            // -1: the tool goes on
    std::string message; // after "outil: " on standard error; empty when nothing is wrong
};

const cas_analyse CAS[] = {
    {{"e"}, -1, ""},
    {{"e", "-n", "7", "--paire", "1", "2", "--avec", "a", "--besoin", "b", "--verifie", "x"},
     -1,
     ""},
    {{}, 2, "argument obligatoire manquant: ENTREE"},
    {{"-n", "3"}, 2, "argument obligatoire manquant: ENTREE"},
    {{"e", "f"}, 2, "argument inattendu: f"},
    {{"e", "f", "g"}, 2, "arguments inattendus: f g"},
    {{"e", "-x"}, 2, "option inconnue: -x"},
    {{"e", "--inconnue=3"}, 2, "option inconnue: --inconnue=3"},
    {{"e", "-n"}, 2, "valeur manquante apres -n"},
    {{"e", "-n", "abc"}, 2, "valeur invalide pour -n: abc"},
    {{"e", "-n", "1.5"}, 2, "valeur invalide pour -n: 1.5"},
    {{"e", "-n", "1", "-n", "2"}, 2, "-n attend au plus 1 valeur(s), recu 2"},
    {{"e", "--paire", "1"}, 2, "--paire attend au moins 2 valeur(s), recu 1"},
    {{"e", "--paire", "1", "2", "3"}, 2, "--paire attend au plus 2 valeur(s), recu 3"},
    {{"e", "--avec", "a", "--sans", "b"}, 2, "--avec et --sans s'excluent"},
    {{"e", "--besoin", "b"}, 2, "--besoin demande aussi --avec"},
    {{"e", "--verifie", "y"}, 2, "--verifie: doit valoir x"},
};

resultat_analyse analyse(const std::vector<const char*>& arguments) {
    CLI::App app("Un outil pour les essais.", "outil");
    options_outil o;
    decrit(app, o);
    std::vector<const char*> argv = {"outil"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return analyse_ligne_commande(app, static_cast<int>(argv.size()), argv.data());
}

TEST(Traduction, ChaqueErreurEnFrancais) {
    for (const cas_analyse& c : CAS) {
        std::string nom;
        for (const char* a : c.arguments) nom += std::string(a) + " ";
        SCOPED_TRACE(nom);
        resultat_analyse r = analyse(c.arguments);
        EXPECT_EQ(r.continuer, c.code < 0);
        EXPECT_EQ(r.sortie, "");
        if (c.code < 0) {
            EXPECT_EQ(r.erreur, "");
            continue;
        }
        EXPECT_EQ(r.code, c.code);
        EXPECT_EQ(r.erreur, "outil: " + c.message + "\nPour l'aide: outil --help\n");
    }
}

TEST(Traduction, AideEtVersion) {
    for (const char* option : {"--help", "-h"}) {
        resultat_analyse r = analyse({"e", option});
        EXPECT_FALSE(r.continuer);
        EXPECT_EQ(r.code, 0);
        EXPECT_EQ(r.erreur, "");
        EXPECT_EQ(
            r.sortie.rfind("Un outil pour les essais.\nUtilisation: outil [OPTIONS] ENTREE\n", 0),
            0u)
            << r.sortie;
        for (const char* texte : {"\nArguments:\n", "OBLIGATOIRE", "  -h,--help  ",
                                  "affiche cette aide", "  --version  ", "-n ENTIER",
                                  "--paire ENTIER x 2", "Exclut: --sans", "Demande: --avec"})
            EXPECT_NE(r.sortie.find(texte), std::string::npos) << texte;
    }
    resultat_analyse r = analyse({"--version"});
    EXPECT_FALSE(r.continuer);
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.sortie, "outil 1.0\n");
    EXPECT_EQ(r.erreur, "");
}

} // namespace
