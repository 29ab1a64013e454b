// quorvel-run PROGRAMME: why it stops and when, the exit status, the final state in French and
// in JSON (read back by Python's parser), and what each start option changes.
#include "outils.h"

#include <gtest/gtest.h>

namespace {

// One line of relit.py's flat JSON, e.g. "pas".
std::string champ(const std::string& plat, const std::string& cle) {
    for (const std::string& ligne : lignes_de(plat))
        if (ligne.compare(0, cle.size() + 1, cle + "=") == 0) return ligne.substr(cle.size() + 1);
    return "(absent: " + cle + ")";
}

struct cas_arret {
    const char* nom;
    const char* source;
    std::vector<std::string> options;
    const char* arret;
    const char* pas;
    int statut;
};

// clang-format off
const cas_arret arrets[] = {
    {"arret par boucle",                "LOADI 1\nfin: B fin\n",             {},                          "boucle",  "2",       0},
    {"budget par defaut",               "debut: ADDI 1\nB debut\n",          {},                          "budget",  "1000000", 3},
    {"budget donne",                    "debut: ADDI 1\nB debut\n",          {"-n", "7"},                 "budget",  "7",       3},
    {"adresse atteinte",                "debut: ADDI 1\nB debut\n",          {"--jusqua", "2"},           "adresse", "1",       0},
    {"adresse par etiquette",           "debut: ADDI 1\nB debut\n",          {"--jusqua", "debut"},       "adresse", "2",       0},
    {"adresse en hexa $",               "debut: ADDI 1\nB debut\n",          {"--jusqua", "$2"},          "adresse", "1",       0},
    {"la premiere adresse atteinte",    "debut: ADDI 1\nB debut\n",          {"--jusqua", "0", "--jusqua", "0x2"}, "adresse", "1", 0},
    {"jamais avant le premier pas",     "debut: ADDI 1\nB debut\n",          {"--jusqua", "0", "-n", "5"}, "adresse", "2",      0},
    {"adresse avant boucle",            "debut: B debut\n",                  {"--jusqua", "0"},           "adresse", "1",       0},
    {"boucle avant budget",             "debut: B debut\n",                  {"-n", "1"},                 "boucle",  "1",       0},
    {"adresse avant budget",            "debut: ADDI 1\nB debut\n",          {"--jusqua", "2", "-n", "1"}, "adresse", "1",      0},
    {"un branchement pris vers soi",    "LOADI 0\nici: BEQ ici\n",           {},                          "boucle",  "2",       0},
    {"un branchement non pris passe",   "LOADI 1\nici: BEQ ici\nfin: B fin\n", {},                        "boucle",  "3",       0},
};
// clang-format on

TEST(Execution, RaisonsDArretEtStatuts) {
    dossier_temporaire d;
    for (const cas_arret& c : arrets) {
        SCOPED_TRACE(c.nom);
        std::vector<std::string> arguments = {d.ecrit("prog.s", c.source), "--json"};
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        resultat_commande r = lance_run(arguments);
        EXPECT_EQ(r.statut, c.statut);
        std::string plat = relit("json", r.sortie);
        EXPECT_EQ(champ(plat, "arret"), c.arret);
        EXPECT_EQ(champ(plat, "pas"), c.pas);
        EXPECT_EQ(r.erreurs, "");
    }
}

TEST(Execution, JsonRelu) {
    dossier_temporaire d;
    std::string source = d.ecrit("prog.s", "LOADI 5\nSTORE $30\nTAXL\nfin: B fin\n");
    resultat_commande r = lance_run({source, "--json", "--dump", "0x30:3", "--dump", "$fffe:4"});
    EXPECT_EQ(r.statut, 0);
    EXPECT_EQ(relit("json", r.sortie),
              "cles=arret,pas,PC,A,X,CCR,tmpA,ports,memoire\n"
              "arret=boucle\npas=4\nPC=6\nA=5\nX=5\nCCR=0\ntmpA=0\n"
              "ports.cles=A,B,C\nports.A=0\nports.B=0\nports.C=0\n"
              "memoire[0].cles=adresse,octets\nmemoire[0].adresse=48\nmemoire[0].octets=5,0,0\n"
              "memoire[1].cles=adresse,octets\nmemoire[1].adresse=65534\n"
              "memoire[1].octets=0,0,1,5\n");
    // Without --dump, memoire is an empty list; the object is one line.
    r = lance_run({source, "--json"});
    EXPECT_NE(r.sortie.find(", \"memoire\": []}\n"), std::string::npos) << r.sortie;
    EXPECT_EQ(lignes_de(r.sortie).size(), 1u);
}

TEST(Execution, TexteFrancaisEtVidage) {
    dossier_temporaire d;
    std::string source =
        d.ecrit("prog.s", "LOADI $81\nSTORE $1004\nLOADI $AB\nSTORE $0010\nfin: B fin\n");
    resultat_commande r = lance_run({source, "--dump", "0x8:10", "--dump", "$fffe:2"});
    EXPECT_EQ(r.statut, 0);
    EXPECT_EQ(r.sortie, "arret: boucle en $000a apres 5 instructions\n"
                        "A    = $ab (171)\n"
                        "X    = $0000 (0)\n"
                        "PC   = $000a (10)\n"
                        "CCR  = 00001000 (____NZVC)\n"
                        "tmpA = $00 (0)\n"
                        "PortA ($1000) = 00000000\n"
                        "PortB ($1002) = 00000000\n"
                        "PortC ($1004) = 10000001\n"
                        "memoire:\n"
                        "   8  0 10 7a  0  0  0  0  0\n"
                        "  10 ab  0\n"
                        "fffe  0  0\n");
    r = lance_run({source, "-n", "1"});
    EXPECT_EQ(r.statut, 3);
    EXPECT_EQ(lignes_de(r.sortie)[0], "arret: budget epuise apres 1 instruction");
    r = lance_run({source, "--jusqua", "fin"});
    EXPECT_EQ(lignes_de(r.sortie)[0], "arret: adresse $000a atteinte apres 4 instructions");
}

struct cas_depart {
    const char* nom;
    const char* source;
    std::vector<std::string> options;
    std::vector<std::pair<std::string, std::string>> attendu; // flat JSON key, value
};

// clang-format off
const cas_depart departs[] = {
    {"registres de depart", "fin: B fin\n", {"--registre", "A=0x7f", "--registre", "x=$1234"},
     {{"A", "127"}, {"X", "4660"}}},
    {"PC de depart", "B 0\nB 0\nfin: B fin\n", {"--registre", "PC=3"}, {{"PC", "3"}, {"pas", "1"}}},
    {"memoire avant l'execution", "LOAD $30\nADD $31\nfin: B fin\n", {"--memoire", "0x30=2,3"},
     {{"A", "5"}}},
    {"memoire qui deborde de $ffff", "fin: B fin\n", {"--memoire", "$ffff=1,2", "--dump", "$ffff:2", "-n", "1"},
     {{"memoire[0].octets", "1,2"}}},
    {"memoire dans un port: defaite par react_in", "fin: B fin\n", {"--memoire", "0x1002=0xff"},
     {{"ports.B", "0"}}},
    {"memoire dans une sortie: gardee", "fin: B fin\n", {"--memoire", "0x1004=0x5a"},
     {{"ports.C", "90"}}},
    {"port B au depart", "LOAD $1002\nfin: B fin\n", {"--port", "B=0x81"}, {{"A", "129"}, {"ports.B", "129"}}},
    {"port A: les sorties de V ignorees", "fin: B fin\n", {"--port", "a=0xff"}, {{"ports.A", "7"}}},
    {"sortie de A ecrite en memoire, entree par --port", "fin: B fin\n",
     {"--port", "A=1", "--memoire", "0x1000=0xff"}, {{"ports.A", "249"}}},
    {"entree changee au pas 2", "LOAD $1002\nLOAD $1002\nSTORE $30\nfin: B fin\n",
     {"--entree", "1:B=4", "--dump", "0x30:1"}, {{"A", "4"}, {"memoire[0].octets", "4"}}},
    {"une ecriture du programme dans B ne tient pas", "LOADI 9\nSTORE $1002\nLOAD $1002\nfin: B fin\n",
     {"--entree", "2:B=1"}, {{"A", "1"}}},
    {"entrees dans l'ordre des pas", "B 3\nLOAD $1002\nADD $1002\nfin: B fin\n",
     {"--entree", "2:B=2", "--entree", "1:B=1"}, {{"A", "3"}}},
    {"entree jamais atteinte", "LOAD $1002\nfin: B fin\n", {"--entree", "50:B=1"}, {{"A", "0"}}},
};
// clang-format on

TEST(Execution, OptionsDeDepart) {
    dossier_temporaire d;
    for (const cas_depart& c : departs) {
        SCOPED_TRACE(c.nom);
        std::vector<std::string> arguments = {d.ecrit("prog.s", c.source), "--json"};
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        resultat_commande r = lance_run(arguments);
        EXPECT_EQ(r.erreurs, "");
        std::string plat = relit("json", r.sortie);
        for (const auto& [cle, valeur] : c.attendu) EXPECT_EQ(champ(plat, cle), valeur) << cle;
    }
}

// A program file from its path, from standard input, and a source from standard input.
TEST(Execution, ProgrammeBinaireEtEntreeStandard) {
    dossier_temporaire d;
    // LOADI 5; STORE $1004; B 0 (itself), at address 0.
    const std::string binaire("\x00\x0c\x00\x00\x01\x05\x06\x10\x04\x7a\x00\x00", 12);
    std::string chemin = d.ecrit("prog.bin", binaire);
    struct cas_entree {
        const char* nom;
        std::vector<std::string> arguments;
        std::string entree;
    };
    const cas_entree cas[] = {
        {"binaire par son chemin", {chemin, "--json"}, ""},
        {"binaire sur l'entree standard", {"-", "--json"}, binaire},
        {"source sur l'entree standard", {"-", "--json"}, "LOADI 5\nSTORE $1004\nfin: B fin\n"},
    };
    for (const cas_entree& c : cas) {
        SCOPED_TRACE(c.nom);
        resultat_commande r = lance_run(c.arguments, c.entree);
        EXPECT_EQ(r.statut, 0);
        std::string plat = relit("json", r.sortie);
        EXPECT_EQ(champ(plat, "ports.C"), "5");
        EXPECT_EQ(champ(plat, "pas"), "3");
    }
    // A label needs a source.
    resultat_commande r = lance_run({chemin, "--jusqua", "fin"});
    EXPECT_EQ(r.statut, 2);
    EXPECT_EQ(r.erreurs, "quorvel-run: --jusqua: etiquette inconnue \"fin\" (un fichier binaire "
                         "n'a pas d'etiquettes)\nEssayez \"quorvel-run --help\".\n");
}

// The machine's console stays shut unless asked for.
TEST(Execution, Console) {
    dossier_temporaire d;
    std::string source = d.ecrit("prog.s", "LOADI 1\nCMPI 2\nBNE suite\nsuite: B suite\n");
    EXPECT_EQ(lance_run({source}).erreurs, "");
    resultat_commande r = lance_run({source, "--console"});
    EXPECT_NE(r.erreurs.find("non egalite!\n"), std::string::npos) << r.erreurs;
    EXPECT_NE(r.erreurs.find("PortA: ppartage_mem 0\n"), std::string::npos) << r.erreurs;
    EXPECT_EQ(lignes_de(r.sortie)[0], "arret: boucle en $0007 apres 4 instructions");
}

} // namespace
