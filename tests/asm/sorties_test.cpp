// Where quorvel-asm writes, and what it never destroys: special files written in place, links
// followed, outputs that are the source or each other refused, nothing replaced by a failed run,
// any name that the file system takes, and the source read from standard input.
#include "assembleur.h"
#include "commande.h"
#include "sortie.h"

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <thread>

namespace {

const std::string NOP_BIN = std::string("\x00\x05\x00\x00\x7c", 5);

std::string listing_nop() {
    return texte_listing(assemble("NOP"));
}

bool est(const fs::path& chemin, mode_t genre) {
    struct stat etat;
    return lstat(chemin.c_str(), &etat) == 0 && (etat.st_mode & S_IFMT) == genre;
}

// The target of a symbolic link; empty for anything else.
std::string lien_vers(const fs::path& chemin) {
    std::error_code erreur;
    return fs::read_symlink(chemin, erreur).string();
}

// A node of /dev/null's device, made here so that a fault cannot replace the real one; where the
// system forbids mknod, a link to /dev/null instead, which must be followed.
void peripherique_nul(const fs::path& chemin) {
    if (mknod(chemin.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        fs::create_symlink("/dev/null", chemin);
}

struct cas_sortie {
    const char* nom;
    std::function<void(const fs::path&)> prepare; // besides prog.s, which holds "NOP"
    lancement options;
    int code;
    std::string erreurs;
    std::function<void(const fs::path&)> verifie; // the folder afterwards
};

void aucun(const fs::path&) {}

lancement arguments(std::vector<std::string> a) {
    lancement l;
    l.arguments = std::move(a);
    return l;
}

lancement depuis(const std::string& entree, std::vector<std::string> a) {
    lancement l = arguments(std::move(a));
    l.entree = entree;
    return l;
}

const std::string NOM_250 = std::string(246, 'n') + ".bin";
const std::string NOM_255 = std::string(251, 'n') + ".bin";
const std::string NOM_256 = std::string(252, 'n') + ".bin";

const cas_sortie CAS[] = {
    // Special files and links.
    {"-o un peripherique: ecrit sur place", [](const fs::path& d) { peripherique_nul(d / "nul"); },
     arguments({"prog.s", "-o", "nul"}), 0, "",
     [](const fs::path& d) { EXPECT_TRUE(est(d / "nul", S_IFCHR) || est(d / "nul", S_IFLNK)); }},
    {"-o et -l sur le meme peripherique", [](const fs::path& d) { peripherique_nul(d / "nul"); },
     arguments({"prog.s", "-o", "nul", "-l", "nul"}), 0, "",
     [](const fs::path& d) { EXPECT_TRUE(est(d / "nul", S_IFCHR) || est(d / "nul", S_IFLNK)); }},
    {"-o /dev/null", aucun, arguments({"prog.s", "-o", "/dev/null"}), 0, "",
     [](const fs::path&) { EXPECT_TRUE(est("/dev/null", S_IFCHR)); }},
    {"-o un lien: sa cible est remplacee",
     [](const fs::path& d) {
         ecrit(d / "cible.bin", "ancien");
         fs::create_symlink("cible.bin", d / "lien");
     },
     arguments({"prog.s", "-o", "lien"}), 0, "",
     [](const fs::path& d) {
         EXPECT_EQ(lien_vers(d / "lien"), "cible.bin");
         EXPECT_EQ(lit(d / "cible.bin"), NOP_BIN);
     }},
    {"-l un lien pendant: sa cible est creee",
     [](const fs::path& d) { fs::create_symlink("nouveau.lst", d / "lien"); },
     arguments({"prog.s", "-o", "p.bin", "-l", "lien"}), 0, "",
     [](const fs::path& d) {
         EXPECT_TRUE(est(d / "lien", S_IFLNK));
         EXPECT_EQ(lit(d / "nouveau.lst"), listing_nop());
     }},
    {"-o une chaine de liens relatifs, d'un dossier a l'autre",
     [](const fs::path& d) {
         fs::create_directory(d / "sous");
         ecrit(d / "cible.bin", "ancien");
         fs::create_symlink("../cible.bin", d / "sous" / "second");
         fs::create_symlink("sous/second", d / "premier");
     },
     arguments({"prog.s", "-o", "premier"}), 0, "",
     [](const fs::path& d) {
         EXPECT_TRUE(est(d / "premier", S_IFLNK));
         EXPECT_TRUE(est(d / "sous" / "second", S_IFLNK));
         EXPECT_EQ(lit(d / "cible.bin"), NOP_BIN);
         EXPECT_EQ(liste(contenu_du_dossier(d / "sous")), "second ");
     }},
    {"-o une boucle de liens",
     [](const fs::path& d) {
         fs::create_symlink("b", d / "a");
         fs::create_symlink("a", d / "b");
     },
     arguments({"prog.s", "-o", "a"}), 1,
     "quorvel-asm: impossible d'ecrire a: trop de liens symboliques\n",
     [](const fs::path& d) { EXPECT_TRUE(est(d / "a", S_IFLNK) && est(d / "b", S_IFLNK)); }},
    // Outputs that are the source, or each other.
    {"-o la source", aucun, arguments({"prog.s", "-o", "prog.s"}), 2,
     "quorvel-asm: le programme prog.s et la source prog.s sont le meme fichier\n", aucun},
    {"-l la source, nommee autrement", [](const fs::path& d) { fs::create_directory(d / "sous"); },
     arguments({"prog.s", "-o", "p.bin", "-l", "sous/../prog.s"}), 2,
     "quorvel-asm: le listing sous/../prog.s et la source prog.s sont le meme fichier\n", aucun},
    {"-o un lien vers la source",
     [](const fs::path& d) { fs::create_symlink("prog.s", d / "lien"); },
     arguments({"prog.s", "-o", "lien"}), 2,
     "quorvel-asm: le programme lien et la source prog.s sont le meme fichier\n", aucun},
    {"-o un lien dur de la source",
     [](const fs::path& d) { fs::create_hard_link(d / "prog.s", d / "dur.s"); },
     arguments({"dur.s", "-o", "prog.s"}), 2,
     "quorvel-asm: le programme prog.s et la source dur.s sont le meme fichier\n", aucun},
    {"-o et -l le meme fichier, absent", aucun, arguments({"prog.s", "-o", "x", "-l", "./x"}), 2,
     "quorvel-asm: le listing ./x et le programme x sont le meme fichier\n", aucun},
    {"-o et -l le meme fichier, present", [](const fs::path& d) { ecrit(d / "x", "ancien"); },
     arguments({"prog.s", "-o", "x", "-l", "x"}), 2,
     "quorvel-asm: le listing x et le programme x sont le meme fichier\n",
     [](const fs::path& d) { EXPECT_EQ(lit(d / "x"), "ancien"); }},
    {"-l un lien pendant vers le programme",
     [](const fs::path& d) { fs::create_symlink("p.bin", d / "lien"); },
     arguments({"prog.s", "-o", "p.bin", "-l", "lien"}), 2,
     "quorvel-asm: le listing lien et le programme p.bin sont le meme fichier\n", aucun},
    {"-o le fichier que l'entree standard lit", aucun, depuis("prog.s", {"-", "-o", "prog.s"}), 2,
     "quorvel-asm: le programme prog.s et la source - sont le meme fichier\n", aucun},
    // A failed run replaces nothing.
    {"-l un dossier: le programme reste",
     [](const fs::path& d) {
         ecrit(d / "p.bin", "ancien");
         fs::create_directory(d / "dossier");
     },
     arguments({"prog.s", "-o", "p.bin", "-l", "dossier/"}), 1,
     "quorvel-asm: impossible d'ecrire dossier/: c'est un dossier\n",
     [](const fs::path& d) {
         EXPECT_EQ(lit(d / "p.bin"), "ancien");
         EXPECT_EQ(liste(contenu_du_dossier(d / "dossier")), "");
     }},
    {"-l un dossier sans barre: le programme reste",
     [](const fs::path& d) {
         ecrit(d / "p.bin", "ancien");
         fs::create_directory(d / "dossier");
     },
     arguments({"prog.s", "-o", "p.bin", "-l", "dossier"}), 1,
     "quorvel-asm: impossible d'ecrire dossier: c'est un dossier\n",
     [](const fs::path& d) { EXPECT_EQ(lit(d / "p.bin"), "ancien"); }},
    {"-o un dossier: le listing reste",
     [](const fs::path& d) {
         ecrit(d / "p.lst", "ancien");
         fs::create_directory(d / "dossier");
     },
     arguments({"prog.s", "-o", "dossier", "-l", "p.lst"}), 1,
     "quorvel-asm: impossible d'ecrire dossier: c'est un dossier\n",
     [](const fs::path& d) { EXPECT_EQ(lit(d / "p.lst"), "ancien"); }},
    {"-l sous un fichier: le programme reste",
     [](const fs::path& d) { ecrit(d / "p.bin", "ancien"); },
     arguments({"prog.s", "-o", "p.bin", "-l", "prog.s/p.lst"}), 1,
     "quorvel-asm: impossible d'ecrire prog.s/p.lst: un element du chemin n'est pas un dossier\n",
     [](const fs::path& d) { EXPECT_EQ(lit(d / "p.bin"), "ancien"); }},
    // Names up to the file system's limit.
    {"nom de 250 caracteres", aucun, arguments({"prog.s", "-o", NOM_250}), 0, "",
     [](const fs::path& d) { EXPECT_EQ(lit(d / NOM_250), NOP_BIN); }},
    {"nom de 255 caracteres, programme et listing",
     [](const fs::path& d) { ecrit(d / NOM_255, "ancien"); },
     arguments({"prog.s", "-o", NOM_255, "-l", "l" + NOM_250}), 0, "",
     [](const fs::path& d) {
         EXPECT_EQ(lit(d / NOM_255), NOP_BIN);
         EXPECT_EQ(lit(d / ("l" + NOM_250)), listing_nop());
     }},
    {"nom de 256 caracteres", aucun, arguments({"prog.s", "-o", NOM_256}), 1,
     "quorvel-asm: impossible d'ecrire " + NOM_256 + ": nom trop long\n", aucun},
    // The source from standard input.
    {"source -: l'entree standard", [](const fs::path& d) { ecrit(d / "autre.s", "NOP\n"); },
     depuis("autre.s", {"-", "-o", "p.bin"}), 0, "",
     [](const fs::path& d) { EXPECT_EQ(lit(d / "p.bin"), NOP_BIN); }},
    {"source /dev/stdin", [](const fs::path& d) { ecrit(d / "autre.s", "NOP\n"); },
     depuis("autre.s", {"/dev/stdin", "-o", "p.bin"}), 0, "",
     [](const fs::path& d) { EXPECT_EQ(lit(d / "p.bin"), NOP_BIN); }},
    {"source -: les diagnostics la nomment -",
     [](const fs::path& d) { ecrit(d / "autre.s", "NOP\nFOO\n"); },
     depuis("autre.s", {"-", "-o", "p.bin"}), 1, "-:2: mnemonique inconnu: FOO\n", aucun},
    {"source - sans -o", aucun, depuis("prog.s", {"-"}), 2,
     "quorvel-asm: -o est obligatoire quand la source est l'entree standard\n", aucun},
};

TEST(Sorties, FichiersSpeciauxLiensEtNoms) {
    for (const cas_sortie& c : CAS) {
        SCOPED_TRACE(c.nom);
        fs::path dossier = dossier_temporaire();
        ecrit(dossier / "prog.s", "NOP");
        c.prepare(dossier);
        std::vector<std::string> avant = contenu_du_dossier(dossier);

        resultat r = lance(dossier, c.options);
        EXPECT_EQ(r.code, c.code);
        EXPECT_EQ(r.erreurs, c.erreurs);
        EXPECT_EQ(r.sortie, "");
        EXPECT_EQ(lit(dossier / "prog.s"), "NOP");
        // A refused or failed run leaves the folder as it was, temporary files included.
        if (c.code != 0) {
            EXPECT_EQ(liste(contenu_du_dossier(dossier)), liste(avant));
        }
        for (const std::string& nom : contenu_du_dossier(dossier))
            EXPECT_EQ(nom.rfind(".quorvel", 0), std::string::npos) << nom;
        c.verifie(dossier);
        fs::remove_all(dossier);
    }
}

// Named pipes, as a shell's process substitution makes them: the program goes into the pipe,
// which stays a pipe, and a source is read from one.
TEST(Sorties, TubesNommes) {
    fs::path dossier = dossier_temporaire();
    ecrit(dossier / "prog.s", "NOP");
    ASSERT_EQ(mkfifo((dossier / "sortie").c_str(), 0600), 0);
    ASSERT_EQ(mkfifo((dossier / "entree.s").c_str(), 0600), 0);
    std::string recu;
    std::thread lecteur([&] { recu = lit(dossier / "sortie"); });
    std::thread ecrivain([&] { ecrit(dossier / "entree.s", "LOADI 1\n"); });

    resultat r = lance(dossier, {"entree.s", "-o", "p.bin", "-l", "p.lst"});
    EXPECT_EQ(r.code, 0) << r.erreurs;
    r = lance(dossier, {"prog.s", "-o", "sortie"});
    EXPECT_EQ(r.code, 0) << r.erreurs;
    lecteur.join();
    ecrivain.join();
    EXPECT_EQ(recu, NOP_BIN);
    EXPECT_TRUE(est(dossier / "sortie", S_IFIFO));
    EXPECT_EQ(lit(dossier / "p.bin"), std::string("\x00\x06\x00\x00\x01\x01", 6));
    fs::remove_all(dossier);
}

} // namespace
