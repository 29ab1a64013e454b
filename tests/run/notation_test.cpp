// Grading the test students: the report, its CSV and JUnit forms read back by Python's parsers,
// the same results whatever -j, the two start states, and the exit statuses.
#include "outils.h"

#include <gtest/gtest.h>

namespace {

const std::vector<std::string> ELEVES = {"juste.s", "fausse.s", "suppose_a_nul.s", "sans_fin.s",
                                         "erreur.s"};

std::vector<std::string> correction(const std::vector<std::string>& options) {
    std::vector<std::string> arguments = {"--cas", "somme.toml"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    arguments.insert(arguments.end(), ELEVES.begin(), ELEVES.end());
    return arguments;
}

const char* const RAPPORT =
    "Somme de deux octets\n"
    "juste.s: 4/4\n"
    "fausse.s: 1/4\n"
    "  cas \"petits nombres\" (2 points): echoue\n"
    "    departs 1 et 2:\n"
    "      port C: attendu 00000101, obtenu 11111111\n"
    "      memoire $0032: attendu $05 (5), obtenu $ff (255)\n"
    "  cas \"retenue perdue\" (1 point): echoue\n"
    "    departs 1 et 2:\n"
    "      port C: attendu 00010000, obtenu 11010000\n"
    "      memoire $0032: attendu $10 (16), obtenu $d0 (208)\n"
    "suppose_a_nul.s: 0/4\n"
    "  cas \"petits nombres\" (2 points): echoue\n"
    "    depart 1 (A=$00 X=$0000 CCR=$00): reussi\n"
    "    depart 2 (A=$a5 X=$1234 CCR=$0f):\n"
    "      port C: attendu 00000101, obtenu 10101010\n"
    "      memoire $0032: attendu $05 (5), obtenu $aa (170)\n"
    "  cas \"retenue perdue\" (1 point): echoue\n"
    "    depart 1 (A=$00 X=$0000 CCR=$00): reussi\n"
    "    depart 2 (A=$a5 X=$1234 CCR=$0f):\n"
    "      port C: attendu 00010000, obtenu 10110101\n"
    "      memoire $0032: attendu $10 (16), obtenu $b5 (181)\n"
    "  cas \"arret sur fin\" (1 point): echoue\n"
    "    depart 1 (A=$00 X=$0000 CCR=$00): reussi\n"
    "    depart 2 (A=$a5 X=$1234 CCR=$0f):\n"
    "      A: attendu $07 (7), obtenu $ac (172)\n"
    "sans_fin.s: 0/4\n"
    "  cas \"petits nombres\" (2 points): echoue\n"
    "    departs 1 et 2:\n"
    "      budget epuise apres 1000 instructions: le programme ne s'arrete pas\n"
    "  cas \"retenue perdue\" (1 point): echoue\n"
    "    departs 1 et 2:\n"
    "      budget epuise apres 1000 instructions: le programme ne s'arrete pas\n"
    "      pas: attendu au plus 10, obtenu 1000\n"
    "  cas \"arret sur fin\" (1 point): echoue\n"
    "    departs 1 et 2:\n"
    "      jusqua: etiquette \"fin\" absente de la copie\n"
    "erreur.s: 0/4\n"
    "  erreurs d'assemblage (tous les cas a 0):\n"
    "    erreur.s:4: mnemonique inconnu: LAOD\n"
    "    erreur.s:5: operande du mode immediat hors limites: 300 (de -128 a 255)\n"
    "bilan: 1 copie(s) sur 5 reussissent tous les cas\n";

TEST(Notation, RapportDesEleves) {
    resultat_commande r = lance_run(correction({}), "", COPIES);
    EXPECT_EQ(r.statut, 4);
    EXPECT_EQ(r.sortie, RAPPORT);
    EXPECT_EQ(r.erreurs, "");
}

TEST(Notation, CsvEtJUnitRelus) {
    dossier_temporaire d;
    std::string csv = (d.chemin / "notes.csv").string();
    std::string junit = (d.chemin / "resultats.xml").string();
    resultat_commande r = lance_run(correction({"--rapport", csv, "--junit", junit}), "", COPIES);
    EXPECT_EQ(r.statut, 4);
    EXPECT_EQ(relit("csv", d.lit("notes.csv")),
              "copie|points|total|petits nombres|retenue perdue|arret sur fin\n"
              "juste.s|4|4|2|1|1\n"
              "fausse.s|1|4|0|0|1\n"
              "suppose_a_nul.s|0|4|0|0|0\n"
              "sans_fin.s|0|4|0|0|0\n"
              "erreur.s|0|4|0|0|0\n");
    EXPECT_EQ(relit("junit", d.lit("resultats.xml")),
              "testsuites tests=15 failures=11\n"
              "testsuite juste.s tests=3 failures=0\n"
              "  testcase petits nombres: ok\n"
              "  testcase retenue perdue: ok\n"
              "  testcase arret sur fin: ok\n"
              "testsuite fausse.s tests=3 failures=2\n"
              "  testcase petits nombres: failure: echoue\n"
              "  testcase retenue perdue: failure: echoue\n"
              "  testcase arret sur fin: ok\n"
              "testsuite suppose_a_nul.s tests=3 failures=3\n"
              "  testcase petits nombres: failure: echoue\n"
              "  testcase retenue perdue: failure: echoue\n"
              "  testcase arret sur fin: failure: echoue\n"
              "testsuite sans_fin.s tests=3 failures=3\n"
              "  testcase petits nombres: failure: echoue\n"
              "  testcase retenue perdue: failure: echoue\n"
              "  testcase arret sur fin: failure: echoue\n"
              "testsuite erreur.s tests=3 failures=3\n"
              "  testcase petits nombres: failure: erreurs d'assemblage\n"
              "  testcase retenue perdue: failure: erreurs d'assemblage\n"
              "  testcase arret sur fin: failure: erreurs d'assemblage\n");
}

// Texts that CSV and XML must quote survive the round trip.
TEST(Notation, NomsACiter) {
    dossier_temporaire d;
    d.ecrit("ex.toml", "titre = \"<Somme> & \\\"co\\\"\"\n[[cas]]\nnom = \"a, \\\"b\\\" <c>\"\n"
                       "memoire = [{ adresse = 0x30, octets = [1, 2] }]\n"
                       "attendu = { ports = { C = 3 } }\n");
    std::string eleve = d.ecrit("l'eleve, \"x\" & <y>.s", lit_fichier_test(copie("fausse.s")));
    resultat_commande r = lance_run(
        {"--cas", "ex.toml", "--rapport", "n.csv", "--junit", "r.xml", "l'eleve, \"x\" & <y>.s"},
        "", d.chemin.string());
    EXPECT_EQ(r.statut, 4);
    EXPECT_EQ(relit("csv", d.lit("n.csv")),
              "copie|points|total|a, \"b\" <c>\nl'eleve, \"x\" & <y>.s|0|1|0\n");
    EXPECT_EQ(relit("junit", d.lit("r.xml")),
              "testsuites tests=1 failures=1\n"
              "testsuite l'eleve, \"x\" & <y>.s tests=1 failures=1\n"
              "  testcase a, \"b\" <c>: failure: echoue\n");
}

TEST(Notation, IndependantDuNombreDeTaches) {
    dossier_temporaire d;
    std::string reference;
    for (const char* taches : {"1", "2", "3", "16", ""}) {
        SCOPED_TRACE(std::string("-j ") + taches);
        std::vector<std::string> options = {"--rapport", (d.chemin / "n.csv").string(), "--junit",
                                            (d.chemin / "r.xml").string()};
        if (*taches) options.insert(options.end(), {"-j", taches});
        resultat_commande r = lance_run(correction(options), "", COPIES);
        std::string tout = r.sortie + d.lit("n.csv") + d.lit("r.xml");
        if (reference.empty()) reference = tout;
        EXPECT_EQ(tout, reference);
        EXPECT_EQ(r.statut, 4);
    }
}

// Each case runs from A = X = CCR = 0 and from A = $A5, X = $1234, CCR = $0F (C and V set).
TEST(Notation, DeuxEtatsDeDepart) {
    dossier_temporaire d;
    d.ecrit("ex.toml", "[[cas]]\nnom = \"depart\"\n"
                       "attendu = { memoire = [{ adresse = 0x40, octets = [0, 0, 0, 0, 0] }] }\n");
    resultat_commande r =
        lance_run({"--cas", "ex.toml", copie("etat_depart.s")}, "", d.chemin.string());
    EXPECT_EQ(r.statut, 4);
    std::string attendu = "    depart 1 (A=$00 X=$0000 CCR=$00): reussi\n"
                          "    depart 2 (A=$a5 X=$1234 CCR=$0f):\n"
                          "      memoire $0040: attendu $00 (0), obtenu $a5 (165)\n"
                          "      memoire $0041: attendu $00 (0), obtenu $12 (18)\n"
                          "      memoire $0042: attendu $00 (0), obtenu $34 (52)\n"
                          "      memoire $0043: attendu $00 (0), obtenu $01 (1)\n"
                          "      memoire $0044: attendu $00 (0), obtenu $01 (1)\n";
    EXPECT_NE(r.sortie.find(attendu), std::string::npos) << r.sortie;
    // A case's own registers apply to both start states.
    d.ecrit("ex.toml", "[[cas]]\nnom = \"depart\"\nregistres = { A = 0, X = 0 }\n"
                       "attendu = { memoire = [{ adresse = 0x40, octets = [0, 0, 0] }] }\n");
    r = lance_run({"--cas", "ex.toml", copie("etat_depart.s")}, "", d.chemin.string());
    EXPECT_EQ(r.statut, 0) << r.sortie;
}

// The shipped case files give full marks to the examples they were written for, as sources
// and as the program files the build assembled (which have no labels).
TEST(Notation, ExemplesLivres) {
    struct cas_exemple {
        const char* exercice;
        std::string copie;
        int statut;
        std::string premiere_copie;
    };
    const std::string sources(EXEMPLES), binaires(EXEMPLES_BINAIRES);
    const cas_exemple exemples[] = {
        {"attente.toml", sources + "/attente.s", 0, sources + "/attente.s: 4/4"},
        {"attente.toml", binaires + "/attente.bin", 0, binaires + "/attente.bin: 4/4"},
        {"interrupteurs.toml", sources + "/interrupteurs.s", 0, sources + "/interrupteurs.s: 5/5"},
        {"attente.toml", sources + "/interrupteurs.s", 4, sources + "/interrupteurs.s: 0/4"},
    };
    for (const cas_exemple& e : exemples) {
        SCOPED_TRACE(std::string(e.exercice) + " " + e.copie);
        resultat_commande r = lance_run({"--cas", sources + "/" + e.exercice, e.copie});
        EXPECT_EQ(r.statut, e.statut);
        std::vector<std::string> lignes = lignes_de(r.sortie);
        ASSERT_GE(lignes.size(), 2u);
        EXPECT_EQ(lignes[1], e.premiere_copie);
    }
}

TEST(Notation, StatutsDeSortie) {
    dossier_temporaire d;
    resultat_commande r = lance_run({"--cas", "somme.toml", "juste.s", "juste.s"}, "", COPIES);
    EXPECT_EQ(r.statut, 0);
    // An unreadable submission: named, status 1, nothing graded.
    r = lance_run({"--cas", "somme.toml", "juste.s", "absente.s", "absente.bin"}, "", COPIES);
    EXPECT_EQ(r.statut, 1);
    EXPECT_EQ(r.erreurs, "quorvel-run: impossible de lire absente.s: fichier introuvable\n"
                         "quorvel-run: impossible de lire absente.bin: fichier introuvable\n");
    EXPECT_EQ(r.sortie, "");
    // A report that cannot be written: told, status 1, the text report still on standard output
    // and the other report written all the same.
    std::string junit = (d.chemin / "r.xml").string();
    r = lance_run(
        {"--cas", "somme.toml", "--rapport", "/inexistant/n.csv", "--junit", junit, "juste.s"}, "",
        COPIES);
    EXPECT_EQ(r.statut, 1);
    EXPECT_EQ(r.erreurs,
              "quorvel-run: impossible d'ecrire /inexistant/n.csv: dossier introuvable\n");
    EXPECT_EQ(lignes_de(r.sortie)[1], "juste.s: 4/4");
    EXPECT_EQ(lignes_de(relit("junit", d.lit("r.xml")))[0], "testsuites tests=3 failures=0");
}

} // namespace
