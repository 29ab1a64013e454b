// The case file: what it says once read, and every fault it can hold, each told with its line
// and key, all of them at once, before anything runs.
#include "cas.h"
#include "outils.h"

#include <gtest/gtest.h>

namespace {

std::string erreurs_de(const std::string& texte) {
    exercice e;
    std::vector<std::string> erreurs;
    bool lu = lit_exercice(texte, "ex.toml", e, erreurs);
    std::string resultat;
    for (const std::string& l : erreurs) resultat += l + "\n";
    if (lu != erreurs.empty()) resultat += "(lit_exercice disagrees with its errors)\n";
    return resultat;
}

const char* const CAS_MINIMAL = "[[cas]]\nnom = \"a\"\nattendu = {}\n";

struct cas_faute {
    const char* nom;
    std::string texte;
    std::string erreurs; // ending in "(": the start of the line only (the parser's own words)
};

// clang-format off
const cas_faute fautes[] = {
    {"syntaxe TOML", "titre = \"x\nnom = 1\n",
     "ex.toml:1: syntaxe TOML invalide ("},
    {"cle en double (syntaxe)", "titre = \"a\"\ntitre = \"b\"\n",
     "ex.toml:2: syntaxe TOML invalide ("},
    {"tableau non ferme", "[[cas]]\nnom = \"a\"\nattendu = {}\njusqua = [1,\n", "ex.toml:4: syntaxe TOML invalide ("},
    {"pas de cas", "titre = \"x\"\n", "ex.toml:1: cas: aucun cas ([[cas]])\n"},
    {"liste de cas vide", "cas = []\n", "ex.toml:1: cas: aucun cas ([[cas]])\n"},
    {"cle inconnue a la racine", std::string("titer = \"x\"\n") + CAS_MINIMAL,
     "ex.toml:1: titer: cle inconnue\n"},
    {"cle inconnue dans un cas", "[[cas]]\nnom = \"a\"\npoint = 2\nattendu = {}\n",
     "ex.toml:3: cas[1].point: cle inconnue\n"},
    {"cle inconnue dans attendu", "[[cas]]\nnom = \"a\"\nattendu = { port = { C = 1 } }\n",
     "ex.toml:3: cas[1].attendu.port: cle inconnue\n"},
    {"attendu manquant", "[[cas]]\nnom = \"a\"\n",
     "ex.toml:1: cas[1].attendu: manquant: chaque cas dit ce qui est attendu\n"},
    {"nom manquant", "[[cas]]\nattendu = {}\n", "ex.toml:1: cas[1].nom: manquant\n"},
    {"nom en double", std::string(CAS_MINIMAL) + CAS_MINIMAL,
     "ex.toml:5: cas[2].nom: \"a\" est deja le nom de cas[1]\n"},
    {"type faux", "pas_max = \"mille\"\n" + std::string(CAS_MINIMAL),
     "ex.toml:1: pas_max: un entier est attendu\n"},
    {"budget nul", "pas_max = 0\n" + std::string(CAS_MINIMAL),
     "ex.toml:1: pas_max: valeur 0 hors limites (1 a 1000000000000)\n"},
    {"points negatifs", "[[cas]]\nnom = \"a\"\npoints = -1\nattendu = {}\n",
     "ex.toml:3: cas[1].points: valeur -1 hors limites (0 a 1000000)\n"},
    {"registre hors limites", "[[cas]]\nnom = \"a\"\nregistres = { A = 256, X = 0x10000 }\nattendu = {}\n",
     "ex.toml:3: cas[1].registres.A: valeur 256 hors limites (0 a 255)\n"
     "ex.toml:3: cas[1].registres.X: valeur 65536 hors limites (0 a 65535)\n"},
    {"CCR au depart", "[[cas]]\nnom = \"a\"\nregistres = { CCR = 1 }\nattendu = {}\n",
     "ex.toml:3: cas[1].registres.CCR: cle inconnue\n"},
    {"memoire hors limites", "[[cas]]\nnom = \"a\"\nmemoire = [{ adresse = 0x10000, octets = [1, 256] }]\nattendu = {}\n",
     "ex.toml:3: cas[1].memoire[1].adresse: valeur 65536 hors limites (0 a 65535)\n"
     "ex.toml:3: cas[1].memoire[1].octets[2]: valeur 256 hors limites (0 a 255)\n"},
    {"memoire incomplete", "[[cas]]\nnom = \"a\"\nmemoire = [{ octets = [] }]\nattendu = {}\n",
     "ex.toml:3: cas[1].memoire[1].adresse: manquante\n"
     "ex.toml:3: cas[1].memoire[1].octets: aucun octet\n"},
    {"entree sur un bit de sortie (depart)", "[[cas]]\nnom = \"a\"\nports = { A = 0x08 }\nattendu = {}\n",
     "ex.toml:3: cas[1].ports.A: une entree sur un bit de sortie (entrees du port A: 00000111)\n"},
    {"port C au depart", "[[cas]]\nnom = \"a\"\nports = { C = 0 }\nattendu = {}\n",
     "ex.toml:3: cas[1].ports.C: le port C n'a pas d'entree\n"},
    {"entree sur un bit de sortie (en marche)",
     "[[cas]]\nnom = \"a\"\nentrees = [{ pas = 3, port = \"A\", valeur = 0xFF }]\nattendu = {}\n",
     "ex.toml:3: cas[1].entrees[1].valeur: une entree sur un bit de sortie (entrees du port A: 00000111)\n"},
    {"entree apres le budget", "pas_max = 100\n[[cas]]\nnom = \"a\"\nentrees = [{ pas = 101, port = \"B\", valeur = 1 }]\nattendu = {}\n",
     "ex.toml:4: cas[1].entrees[1].pas: valeur 101 hors limites (1 a 100)\n"},
    {"entree incomplete", "[[cas]]\nnom = \"a\"\nentrees = [{ pas = 1, port = \"X\" }]\nattendu = {}\n",
     "ex.toml:3: cas[1].entrees[1].valeur: manquante\n"
     "ex.toml:3: cas[1].entrees[1].port: port inconnu \"X\" (A ou B)\n"},
    {"jusqua hors limites", "[[cas]]\nnom = \"a\"\njusqua = [70000, \"12x\", true]\nattendu = {}\n",
     "ex.toml:3: cas[1].jusqua[1]: valeur 70000 hors limites (0 a 65535)\n"
     "ex.toml:3: cas[1].jusqua[2]: \"12x\" n'est pas un nombre (decimal sans zero en tete, ou hexadecimal apres 0x ou $)\n"
     "ex.toml:3: cas[1].jusqua[3]: une adresse ou une etiquette (texte) est attendue\n"},
    {"arret inconnu", "[[cas]]\nnom = \"a\"\nattendu = { arret = \"fin\" }\n",
     "ex.toml:3: cas[1].attendu.arret: \"fin\" inconnu (\"boucle\", \"adresse\" ou \"budget\")\n"},
    {"attendu hors limites",
     "[[cas]]\nnom = \"a\"\nattendu = { ports = { C = 256, D = 1 }, registres = { CCR = 0x100 }, pas_max_utilises = 0 }\n",
     "ex.toml:3: cas[1].attendu.registres.CCR: valeur 256 hors limites (0 a 255)\n"
     "ex.toml:3: cas[1].attendu.ports.D: cle inconnue\n"
     "ex.toml:3: cas[1].attendu.ports.C: valeur 256 hors limites (0 a 255)\n"
     "ex.toml:3: cas[1].attendu.pas_max_utilises: valeur 0 hors limites (1 a 1000000000000)\n"},
    {"toutes les fautes, dans l'ordre des lignes",
     "[[cas]]\nnom = \"b\"\npoints = -2\n[[cas]]\nnom = \"c\"\nattendu = 3\n",
     "ex.toml:1: cas[1].attendu: manquant: chaque cas dit ce qui est attendu\n"
     "ex.toml:3: cas[1].points: valeur -2 hors limites (0 a 1000000)\n"
     "ex.toml:6: cas[2].attendu: une table est attendue ({ ... })\n"},
};
// clang-format on

TEST(FichierCas, ChaqueFauteAvecSaLigneEtSaCle) {
    for (const cas_faute& f : fautes) {
        SCOPED_TRACE(f.nom);
        std::string erreurs = erreurs_de(f.texte);
        if (f.erreurs.back() == '(')
            EXPECT_EQ(erreurs.substr(0, f.erreurs.size()), f.erreurs);
        else
            EXPECT_EQ(erreurs, f.erreurs);
    }
}

TEST(FichierCas, CeQuIlDit) {
    const char* texte = "titre = \"Somme\"\npas_max = 500\n"
                        "[[cas]]\nnom = \"un\"\npoints = 3\npas_max = 40\n"
                        "registres = { A = 1, X = 0x1000, PC = 2 }\n"
                        "memoire = [{ adresse = 0xFFFF, octets = [1, 2] }]\n"
                        "ports = { A = 0x05, B = 0x81 }\n"
                        "entrees = [{ pas = 30, port = \"B\", valeur = 1 }, "
                        "{ pas = 2, port = \"a\", valeur = 2 }]\n"
                        "jusqua = [\"fin\", 0x10, \"$20\"]\n"
                        "attendu = { arret = \"adresse\", pas_max_utilises = 9, "
                        "registres = { CCR = 4 }, ports = { C = 0xF0 }, "
                        "memoire = [{ adresse = 0x32, octets = [5] }] }\n"
                        "[[cas]]\nnom = \"deux\"\nattendu = {}\n";
    exercice e;
    std::vector<std::string> erreurs;
    ASSERT_TRUE(lit_exercice(texte, "ex.toml", e, erreurs)) << erreurs[0];
    EXPECT_EQ(e.titre, "Somme");
    ASSERT_EQ(e.cas.size(), 2u);
    const cas_exercice& un = e.cas[0];
    EXPECT_EQ(un.points, 3u);
    EXPECT_EQ(un.deroulement.budget, 40u);
    ASSERT_EQ(un.depart.registres.size(), 3u);
    EXPECT_EQ(un.depart.registres[1].registre, REGISTRE_X);
    EXPECT_EQ(un.depart.registres[1].valeur, 0x1000);
    ASSERT_EQ(un.depart.memoire.size(), 1u);
    EXPECT_EQ(un.depart.memoire[0].adresse, 0xFFFF);
    EXPECT_EQ(un.depart.memoire[0].octets, (std::vector<uint8_t>{1, 2}));
    ASSERT_EQ(un.depart.ports.size(), 2u);
    EXPECT_EQ(un.depart.ports[1].port, 1);
    EXPECT_EQ(un.depart.ports[1].valeur, 0x81);
    ASSERT_EQ(un.deroulement.entrees.size(), 2u);
    EXPECT_EQ(un.deroulement.entrees[1].pas, 2u);
    EXPECT_EQ(un.deroulement.entrees[1].port, 0);
    ASSERT_EQ(un.jusqua.size(), 3u);
    EXPECT_EQ(un.jusqua[0].cible.etiquette, "fin");
    EXPECT_EQ(un.jusqua[0].ligne, 11);
    EXPECT_EQ(un.jusqua[1].cible.adresse, 0x10);
    EXPECT_EQ(un.jusqua[2].cible.adresse, 0x20);
    EXPECT_TRUE(un.attendu.arret_donne);
    EXPECT_EQ(un.attendu.arret, ARRET_ADRESSE);
    EXPECT_TRUE(un.attendu.limite_pas);
    EXPECT_EQ(un.attendu.pas_max_utilises, 9u);
    ASSERT_EQ(un.attendu.registres.size(), 1u);
    EXPECT_EQ(un.attendu.registres[0].registre, REGISTRE_CCR);
    ASSERT_EQ(un.attendu.ports.size(), 1u);
    EXPECT_EQ(un.attendu.ports[0].port, 2);
    ASSERT_EQ(un.attendu.memoire.size(), 1u);
    // Defaults: one point, the file's budget, no stop asked for.
    const cas_exercice& deux = e.cas[1];
    EXPECT_EQ(deux.points, 1u);
    EXPECT_EQ(deux.deroulement.budget, 500u);
    EXPECT_FALSE(deux.attendu.arret_donne);
    EXPECT_EQ(total_points(e), 4u);
    // Without a title, the file's name.
    ASSERT_TRUE(lit_exercice(CAS_MINIMAL, "ex.toml", e, erreurs));
    EXPECT_EQ(e.titre, "ex.toml");
}

// Through the command: status 2, every fault, nothing run, no report written.
TEST(FichierCas, RefuseAvantToutDemarrage) {
    dossier_temporaire d;
    std::string copie_juste = copie("juste.s");
    struct cas_commande {
        const char* nom;
        std::string texte;
        std::string erreurs;
    };
    const cas_commande cas[] = {
        {"deux fautes",
         "[[cas]]\nnom = \"a\"\nattendu = { ports = { E = 1 } }\n[[cas]]\nnom = \"b\"\n",
         "ex.toml:3: cas[1].attendu.ports.E: cle inconnue\n"
         "ex.toml:4: cas[2].attendu: manquant: chaque cas dit ce qui est attendu\n"},
        {"etiquette inconnue de toutes les copies",
         "[[cas]]\nnom = \"a\"\njusqua = \"fni\"\nattendu = {}\n",
         "ex.toml:3: cas[1].jusqua: etiquette inconnue \"fni\" (aucune copie ne la definit)\n"},
    };
    for (const cas_commande& c : cas) {
        SCOPED_TRACE(c.nom);
        d.ecrit("ex.toml", c.texte);
        resultat_commande r = lance_run({"--cas", "ex.toml", copie_juste, "--rapport", "notes.csv"},
                                        "", d.chemin.string());
        EXPECT_EQ(r.statut, 2);
        EXPECT_EQ(r.erreurs, c.erreurs);
        EXPECT_EQ(r.sortie, "");
        EXPECT_FALSE(std::filesystem::exists(d.chemin / "notes.csv"));
    }
}

} // namespace
