// quorvel-asm against sources made to exhaust it: every 16 MiB source assembles or fails within
// 1 GiB, with at most 100 errors; a larger input is refused; running out of memory is a message,
// never an abort. The CPU limit only keeps a runaway from blocking the suite.
#include "commande.h"
#include "fichiers.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer reserves terabytes of address space: no limit on it can hold.
constexpr bool LIMITE_MEMOIRE = false;
#else
constexpr bool LIMITE_MEMOIRE = true;
#endif
constexpr rlim_t GIO = rlim_t(1) << 30;
constexpr rlim_t SECONDES_MAX = 120;

// Lines from ligne(0), ligne(1)... as long as they fit in taille bytes, then line ends up to it.
std::string remplit(size_t taille, const std::function<std::string(size_t)>& ligne) {
    std::string texte;
    texte.reserve(taille);
    for (size_t i = 0;; ++i) {
        std::string suivante = ligne(i);
        if (texte.size() + suivante.size() > taille) break;
        texte += suivante;
    }
    texte.resize(taille, '\n');
    return texte;
}

std::string hexa(size_t n) {
    char texte[20];
    std::snprintf(texte, sizeof texte, "%zx", n);
    return texte;
}

std::string erreurs_aux_lignes(size_t premiere, size_t pas, const std::string& message) {
    std::string texte;
    for (size_t i = 0; i < 100; ++i)
        texte += "gros.s:" + std::to_string(premiere + i * pas) + ": " + message + "\n";
    return texte + "gros.s: trop d'erreurs, arret\n";
}

const std::string RIEN_A_ZERO =
    "gros.s: avertissement: rien n'est place a l'adresse 0, ou le programme demarre\n";
const std::string TROP_GRAND = "trop grand (plus de 16 Mio)\n";

struct cas_limite {
    const char* nom;
    std::function<std::string()> source; // written to gros.s
    std::vector<std::string> arguments;
    int code;
    std::string erreurs;
    std::function<std::string(const std::string&)> fin_listing; // of p.lst, from the source
};

std::string aucun_listing(const std::string&) {
    return "";
}

// The source's last line with content, without its line end.
std::string derniere_ligne(const std::string& source) {
    size_t fin = source.find_last_not_of('\n') + 1;
    return source.substr(source.rfind('\n', fin - 1) + 1, fin - source.rfind('\n', fin - 1) - 1);
}

const cas_limite CAS[] = {
    {"16 Mio de lignes vides",
     [] { return std::string(TAILLE_ENTREE_MAX, '\n'); },
     {"gros.s", "-o", "p.bin", "-l", "p.lst"},
     0,
     RIEN_A_ZERO,
     [](const std::string&) -> std::string { return "\n\n\n"; }},
    {"16 Mio de commentaires",
     [] { return remplit(TAILLE_ENTREE_MAX, [](size_t) { return ";\n"; }); },
     {"gros.s", "-o", "p.bin", "-l", "p.lst"},
     0,
     RIEN_A_ZERO,
     [](const std::string&) -> std::string { return "                  ;\n"; }},
    {"des millions d'etiquettes",
     [] { return remplit(TAILLE_ENTREE_MAX, [](size_t i) { return "e" + hexa(i) + ":\n"; }); },
     {"gros.s", "-o", "p.bin", "-l", "p.lst"},
     0,
     RIEN_A_ZERO,
     [](const std::string& source) {
         std::string ligne = derniere_ligne(source);
         return "\n   0  etiquette " + ligne.substr(0, ligne.size() - 1) + "\n";
     }},
    {"des millions de constantes",
     [] {
         return remplit(TAILLE_ENTREE_MAX, [](size_t i) {
             return "c" + hexa(i) + " EQU " + std::to_string(i % 1000) + "\n";
         });
     },
     {"gros.s", "-o", "p.bin", "-l", "p.lst"},
     0,
     RIEN_A_ZERO,
     [](const std::string& source) {
         std::string ligne = derniere_ligne(source);
         size_t blanc = ligne.find(' ');
         char valeur[8];
         std::snprintf(valeur, sizeof valeur, "%4lx", std::stol(ligne.substr(blanc + 5)));
         return "\n" + std::string(valeur) + "  constante " + ligne.substr(0, blanc) + "\n";
     }},
    {"des NOP jusqu'a 16 Mio: 100 erreurs, puis arret",
     [] { return remplit(TAILLE_ENTREE_MAX, [](size_t) { return " NOP\n"; }); },
     {"gros.s", "-o", "p.bin"},
     1,
     erreurs_aux_lignes(65537, 1, "le programme depasse l'adresse $FFFF"),
     aucun_listing},
    {"ORG 0 et NOP repetes: 100 chevauchements, puis arret",
     [] { return remplit(TAILLE_ENTREE_MAX, [](size_t) { return " ORG 0\n NOP\n"; }); },
     {"gros.s", "-o", "p.bin"},
     1,
     erreurs_aux_lignes(4, 2, "chevauchement avec la ligne 2 a l'adresse $0000"),
     aucun_listing},
    {"une ligne DB de 16 Mio",
     [] {
         std::string s =
             remplit(TAILLE_ENTREE_MAX - 1, [](size_t i) { return i ? ",1" : " DB 1"; });
         return s.substr(0, s.find('\n')) + "\n";
     },
     {"gros.s", "-o", "p.bin"},
     1,
     "gros.s:1: le programme depasse l'adresse $FFFF\n" + RIEN_A_ZERO,
     aucun_listing},
    {"une ligne de 30000 octets hors limites",
     [] {
         std::string s = " DB 256";
         for (int i = 1; i < 30000; ++i) s += ",256";
         return s;
     },
     {"gros.s", "-o", "p.bin"},
     1,
     [] {
         std::string texte;
         for (int i = 0; i < 100; ++i)
             texte += "gros.s:1: octet hors limites: 256 (de -128 a 255)\n";
         return texte + "gros.s: trop d'erreurs, arret\n";
     }(),
     aucun_listing},
    {"un octet de trop",
     [] { return std::string(TAILLE_ENTREE_MAX + 1, '\n'); },
     {"gros.s", "-o", "p.bin"},
     1,
     "quorvel-asm: impossible de lire gros.s: " + TROP_GRAND,
     aucun_listing},
    {"/dev/zero",
     [] { return ""; },
     {"/dev/zero", "-o", "p.bin"},
     1,
     "quorvel-asm: impossible de lire /dev/zero: " + TROP_GRAND,
     aucun_listing},
};

TEST(Limites, GrandesSources) {
    for (const cas_limite& c : CAS) {
        SCOPED_TRACE(c.nom);
        fs::path dossier = dossier_temporaire();
        std::string source = c.source();
        ecrit(dossier / "gros.s", source);
        lancement l;
        l.arguments = c.arguments;
        l.memoire = LIMITE_MEMOIRE ? GIO : 0;
        l.processeur = SECONDES_MAX;
        resultat r = lance(dossier, l);
        EXPECT_EQ(r.code, c.code);
        EXPECT_EQ(r.erreurs, c.erreurs);
        std::string fin = c.fin_listing(source);
        if (!fin.empty()) {
            std::string listing = lit(dossier / "p.lst");
            EXPECT_EQ(listing.substr(listing.size() - std::min(listing.size(), fin.size())), fin);
        }
        std::vector<std::string> attendus = {"gros.s"};
        if (c.code == 0) attendus = {"gros.s", "p.bin", "p.lst"};
        EXPECT_EQ(liste(contenu_du_dossier(dossier)), liste(attendus));
        fs::remove_all(dossier);
    }
}

// Standard input that never ends is refused as a file would be.
TEST(Limites, EntreeSansFin) {
    fs::path dossier = dossier_temporaire();
    lancement l;
    l.arguments = {"-", "-o", "p.bin"};
    l.entree = "/dev/zero";
    l.processeur = SECONDES_MAX;
    resultat r = lance(dossier, l);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.erreurs, "quorvel-asm: impossible de lire -: " + TROP_GRAND);
    EXPECT_EQ(liste(contenu_du_dossier(dossier)), "");
    fs::remove_all(dossier);
}

// Out of memory, the assembler says so and fails; it does not abort.
TEST(Limites, MemoireEpuisee) {
    if (!LIMITE_MEMOIRE) GTEST_SKIP() << "no limit on the address space under AddressSanitizer";
    fs::path dossier = dossier_temporaire();
    ecrit(dossier / "gros.s",
          remplit(TAILLE_ENTREE_MAX, [](size_t i) { return "e" + hexa(i) + ":\n"; }));
    lancement l;
    l.arguments = {"gros.s", "-o", "p.bin", "-l", "p.lst"};
    l.memoire = 96 << 20;
    l.processeur = SECONDES_MAX;
    resultat r = lance(dossier, l);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.erreurs, "quorvel-asm: memoire insuffisante\n");
    EXPECT_EQ(liste(contenu_du_dossier(dossier)), "gros.s ");
    fs::remove_all(dossier);
}

} // namespace
