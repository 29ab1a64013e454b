// lit_entree, which the command-line tools share: what it reads, and the French reason of each
// refusal, with nothing kept of a refused input.
#include "commande.h"
#include "fichiers.h"

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>
#include <thread>

namespace {

struct cas_entree {
    const char* nom;
    std::function<std::string(const fs::path&)> prepare; // makes the input, returns its path
    bool lu;
    std::string contenu_ou_raison;
};

std::string fichier(const fs::path& dossier, const std::string& contenu) {
    ecrit(dossier / "f", contenu);
    return (dossier / "f").string();
}

const cas_entree CAS[] = {
    {"fichier ordinaire", [](const fs::path& d) { return fichier(d, "NOP\n\x01\xff"); }, true,
     "NOP\n\x01\xff"},
    {"fichier vide", [](const fs::path& d) { return fichier(d, ""); }, true, ""},
    {"exactement 16 Mio",
     [](const fs::path& d) { return fichier(d, std::string(TAILLE_ENTREE_MAX, 'a')); }, true,
     std::string(TAILLE_ENTREE_MAX, 'a')},
    {"un octet de trop",
     [](const fs::path& d) { return fichier(d, std::string(TAILLE_ENTREE_MAX + 1, 'a')); }, false,
     "trop grand (plus de 16 Mio)"},
    {"/dev/null", [](const fs::path&) { return std::string("/dev/null"); }, true, ""},
    {"/dev/zero", [](const fs::path&) { return std::string("/dev/zero"); }, false,
     "trop grand (plus de 16 Mio)"},
    {"absent", [](const fs::path& d) { return (d / "absent").string(); }, false,
     "fichier introuvable"},
    {"dossier", [](const fs::path& d) { return d.string(); }, false, "c'est un dossier"},
    {"sous un fichier", [](const fs::path& d) { return fichier(d, "") + "/x"; }, false,
     "un element du chemin n'est pas un dossier"},
};

TEST(Fichiers, LitEntree) {
    for (const cas_entree& c : CAS) {
        SCOPED_TRACE(c.nom);
        fs::path dossier = dossier_temporaire();
        std::string contenu = "reste d'avant";
        std::string raison;
        EXPECT_EQ(lit_entree(c.prepare(dossier), contenu, raison), c.lu);
        EXPECT_EQ(c.lu ? contenu : raison, c.contenu_ou_raison);
        if (!c.lu) {
            EXPECT_EQ(contenu, "");
        }
        fs::remove_all(dossier);
    }
}

// "-" is standard input, and a named pipe is read to its end.
TEST(Fichiers, EntreeStandardEtTube) {
    fs::path dossier = dossier_temporaire();
    std::string contenu;
    std::string raison;

    int sauve = dup(0);
    int f = open(fichier(dossier, "depuis l'entree").c_str(), O_RDONLY);
    dup2(f, 0);
    close(f);
    EXPECT_TRUE(lit_entree("-", contenu, raison)) << raison;
    dup2(sauve, 0);
    close(sauve);
    EXPECT_EQ(contenu, "depuis l'entree");

    ASSERT_EQ(mkfifo((dossier / "tube").c_str(), 0600), 0);
    std::string long_texte(200000, 'x');
    std::thread ecrivain([&] { ecrit(dossier / "tube", long_texte); });
    EXPECT_TRUE(lit_entree((dossier / "tube").string(), contenu, raison)) << raison;
    ecrivain.join();
    EXPECT_EQ(contenu, long_texte);
    fs::remove_all(dossier);
}

} // namespace
