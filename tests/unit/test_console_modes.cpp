// Where the console's lines go (standard error, a file, a descriptor, nowhere), and what they do
// when the reader is slow or gone: the window loses and counts them, the tools wait or end.
#include "console.h"
#include "ecriture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// Both ends of a pipe or of a socket pair: [0] is read, [1] is written.
struct canal {
    int bouts[2] = {-1, -1};
    explicit canal(bool prise) {
        int ok = prise ? socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, bouts)
                       : pipe2(bouts, O_CLOEXEC);
        EXPECT_EQ(ok, 0);
    }
    ~canal() {
        for (int b : bouts)
            if (b >= 0) close(b);
    }
    void ferme_lecture() {
        close(bouts[0]);
        bouts[0] = -1;
    }
    int lecture() const { return bouts[0]; }
    int ecriture() const { return bouts[1]; }
};

void bloquant(int descripteur, bool oui) {
    int drapeaux = fcntl(descripteur, F_GETFL);
    fcntl(descripteur, F_SETFL, oui ? drapeaux & ~O_NONBLOCK : drapeaux | O_NONBLOCK);
}

// Fills the channel to the brim, then leaves the writing end blocking, as standard error is.
void remplit(int descripteur) {
    bloquant(descripteur, false);
    const std::string bloc(512, '#');
    while (write(descripteur, bloc.data(), bloc.size()) > 0) {
    }
    bloquant(descripteur, true);
}

// Everything the channel holds now.
std::string vide(int descripteur) {
    bloquant(descripteur, false);
    std::string texte;
    char tampon[4096];
    ssize_t n;
    while ((n = read(descripteur, tampon, sizeof tampon)) > 0) texte.append(tampon, size_t(n));
    bloquant(descripteur, true);
    return texte;
}

// Standard error goes to descripteur while this lives.
class erreur_vers {
  public:
    explicit erreur_vers(int descripteur) : ancien(dup(2)) { dup2(descripteur, 2); }
    ~erreur_vers() {
        dup2(ancien, 2);
        close(ancien);
    }

  private:
    int ancien;
};

// A console call that waits fails the test program instead of hanging it.
class garde_attente {
  public:
    garde_attente() {
        std::signal(SIGALRM, [](int) {
            const char message[] = "\nthe console blocked\n";
            ssize_t ignore = write(1, message, sizeof message - 1);
            (void)ignore;
            _exit(3);
        });
        alarm(10);
    }
    ~garde_attente() { alarm(0); }
};

// Every test leaves the console as the program finds it, and SIGPIPE as it was.
class ConsoleModes : public ::testing::Test {
  protected:
    struct sigaction sigpipe_avant;
    void SetUp() override { sigaction(SIGPIPE, nullptr, &sigpipe_avant); }
    void TearDown() override {
        console_mode_outil();
        console_vers_erreur_standard();
        sigaction(SIGPIPE, &sigpipe_avant, nullptr);
    }
};

// What the window's trace writes: two lines, the one text without line end and its line, and a
// line longer than the console's fixed buffer.
const std::string LONGUE(300, 'x');
void ecrit_sequence() {
    console_ligne("c'est parti ..");
    console_lignef("adresse de base %u taille %d", 256u, 7);
    console_texte("-automemlink detecte ");
    console_lignef("avec ident memoire= %d", 5);
    console_ligne(LONGUE);
}
const std::string SEQUENCE = "c'est parti ..\nadresse de base 256 taille 7\n"
                             "-automemlink detecte avec ident memoire= 5\n" +
                             LONGUE + "\n";

enum genre_destination { TUBE, PRISE, FICHIER };
struct cas_destination {
    const char* nom;
    genre_destination genre;
    bool erreur_standard; // through descriptor 2 rather than console_vers_descripteur
    bool fenetre;
};

// clang-format off
const cas_destination destinations[] = {
    {"tool, pipe as standard error",    TUBE,    true,  false},
    {"tool, pipe as a descriptor",      TUBE,    false, false},
    {"tool, file as standard error",    FICHIER, true,  false},
    {"window, pipe as standard error",  TUBE,    true,  true},
    {"window, pipe as a descriptor",    TUBE,    false, true},
    {"window, socket as standard error",PRISE,   true,  true},
    {"window, socket as a descriptor",  PRISE,   false, true},
    {"window, file as standard error",  FICHIER, true,  true},
};
// clang-format on

// Runs ecrit after pointing the console at the row's destination; returns what came out.
template <typename F>
std::string sortie_de(const cas_destination& cas, F ecrit) {
    std::string texte;
    if (cas.genre == FICHIER) {
        FILE* fichier = std::tmpfile();
        {
            erreur_vers erreur(fileno(fichier));
            console_vers_erreur_standard();
            if (cas.fenetre) console_mode_fenetre();
            ecrit();
            console_vers_rien();
        }
        std::rewind(fichier);
        char tampon[4096];
        size_t n;
        while ((n = std::fread(tampon, 1, sizeof tampon, fichier)) > 0) texte.append(tampon, n);
        std::fclose(fichier);
        return texte;
    }
    canal c(cas.genre == PRISE);
    {
        erreur_vers erreur(cas.erreur_standard ? c.ecriture() : 2);
        if (cas.erreur_standard)
            console_vers_erreur_standard();
        else
            console_vers_descripteur(c.ecriture());
        if (cas.fenetre) console_mode_fenetre();
        ecrit();
        console_vers_rien();
    }
    return vide(c.lecture());
}

TEST_F(ConsoleModes, UnLecteurQuiSuitRecoitLesMemesOctetsDansChaqueMode) {
    for (const cas_destination& cas : destinations) {
        SCOPED_TRACE(cas.nom);
        garde_attente garde;
        EXPECT_EQ(sortie_de(cas, ecrit_sequence), SEQUENCE);
        EXPECT_EQ(console_lignes_perdues(), 0u);
    }
}

TEST_F(ConsoleModes, LaFenetrePerdEtCompteLesLignesQuUnCanalPleinNePrendPas) {
    for (const cas_destination& cas : destinations) {
        if (!cas.fenetre || cas.genre == FICHIER) continue;
        SCOPED_TRACE(cas.nom);
        canal c(cas.genre == PRISE);
        erreur_vers erreur(cas.erreur_standard ? c.ecriture() : 2);
        if (cas.erreur_standard)
            console_vers_erreur_standard();
        else
            console_vers_descripteur(c.ecriture());
        console_mode_fenetre();
        remplit(c.ecriture());
        {
            garde_attente garde;
            console_ligne("une");
            console_lignef("%s", "deux");
            console_texte("-automemlink detecte ");
            console_lignef("avec ident memoire= %d", 5);
        }
        EXPECT_EQ(console_lignes_perdues(), 3u);
        std::string plein = vide(c.lecture());
        EXPECT_EQ(plein.find_first_not_of('#'), std::string::npos) << "a lost line came out";
        console_ligne("cinq");
        console_ligne("six");
        EXPECT_EQ(vide(c.lecture()), "3 lignes de trace perdues\ncinq\nsix\n");
        EXPECT_EQ(console_lignes_perdues(), 0u);
    }
}

TEST_F(ConsoleModes, UnOutilGardeChaqueLigneQuandLeLecteurEstLent) {
    for (const cas_destination& cas : destinations) {
        if (cas.fenetre || cas.genre != TUBE) continue;
        SCOPED_TRACE(cas.nom);
        // Far more than a pipe holds: the writer must wait for the reader, who starts late.
        std::string attendu;
        for (int i = 0; i < 3000; ++i) attendu += "ligne " + std::to_string(i) + " egalite!\n";
        canal c(false);
        std::string recu;
        std::thread lecteur([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            char tampon[1000];
            ssize_t n;
            while ((n = read(c.lecture(), tampon, sizeof tampon)) > 0) recu.append(tampon, n);
        });
        {
            erreur_vers erreur(cas.erreur_standard ? c.ecriture() : 2);
            if (cas.erreur_standard)
                console_vers_erreur_standard();
            else
                console_vers_descripteur(c.ecriture());
            for (int i = 0; i < 3000; ++i) console_lignef("ligne %d egalite!", i);
            console_vers_rien();
        }
        close(c.bouts[1]);
        c.bouts[1] = -1;
        lecteur.join();
        EXPECT_EQ(recu.size(), attendu.size());
        EXPECT_TRUE(recu == attendu);
    }
}

TEST_F(ConsoleModes, EcritToutAttendLeLecteurMemeSurUnDescripteurNonBloquant) {
    canal c(false);
    bloquant(c.ecriture(), false);
    const std::string rapport(200000, 'r');
    std::string recu;
    std::thread lecteur([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        char tampon[4096];
        ssize_t n;
        while ((n = read(c.lecture(), tampon, sizeof tampon)) > 0) recu.append(tampon, n);
    });
    EXPECT_TRUE(ecrit_tout(c.ecriture(), rapport));
    close(c.bouts[1]);
    c.bouts[1] = -1;
    lecteur.join();
    EXPECT_TRUE(recu == rapport) << recu.size() << " bytes received";
}

TEST_F(ConsoleModes, UnFichierRecoitLesLignes) {
    std::string chemin = ::testing::TempDir() + "quorvel-console-" + std::to_string(getpid());
    std::ofstream(chemin) << "ancien contenu, plus long que les lignes\n";
    ASSERT_TRUE(console_vers_fichier(chemin));
    ecrit_sequence();
    console_vers_erreur_standard(); // closes the file
    std::ifstream lu(chemin);
    std::stringstream texte;
    texte << lu.rdbuf();
    EXPECT_EQ(texte.str(), SEQUENCE);
    std::remove(chemin.c_str());
}

TEST_F(ConsoleModes, UnFichierImpossibleLaisseLaConsoleOuElleEtait) {
    std::filesystem::path dossier = std::filesystem::path(::testing::TempDir()) /
                                    ("quorvel-console-" + std::to_string(getpid()));
    std::filesystem::create_directories(dossier);
    ASSERT_EQ(mkfifo((dossier / "tube").c_str(), 0644), 0);
    const struct {
        const char* nom;
        std::string chemin;
    } table[] = {
        {"a folder", dossier.string()},
        {"no such folder", (dossier / "absent" / "trace.txt").string()},
        {"a FIFO nobody reads", (dossier / "tube").string()},
    };
    for (const auto& cas : table) {
        SCOPED_TRACE(cas.nom);
        canal c(false);
        console_vers_descripteur(c.ecriture());
        {
            garde_attente garde;
            EXPECT_FALSE(console_vers_fichier(cas.chemin));
        }
        console_ligne("toujours la");
        EXPECT_EQ(vide(c.lecture()), "toujours la\n");
    }
    console_vers_erreur_standard();
    std::filesystem::remove_all(dossier);
}

TEST_F(ConsoleModes, MuetteNiFormatNiEcriture) {
    canal c(false);
    erreur_vers erreur(c.ecriture());
    std::stringstream flux;
    std::streambuf* ancien = std::cerr.rdbuf(flux.rdbuf());
    console_vers_rien();
    EXPECT_FALSE(console_active());
    // Formatting this would read address 1: only a console that formats nothing survives it.
    console_lignef("%s", reinterpret_cast<const char*>(1));
    ecrit_sequence();
    std::cerr.rdbuf(ancien);
    EXPECT_EQ(flux.str(), "");
    EXPECT_EQ(vide(c.lecture()), "");
    console_vers_erreur_standard();
    EXPECT_TRUE(console_active());
}

// In a child: the reader of the row's destination has gone before a line is written.
struct cas_lecteur_parti {
    const char* nom;
    genre_destination genre;
    bool erreur_standard;
    bool fenetre;
    bool ecrit_tout; // the tools' own helper rather than a console line
    int statut;      // the window goes on (0 after its last line), the tools end with 1
};

// clang-format off
const cas_lecteur_parti lecteurs_partis[] = {
    {"tool, pipe as standard error",     TUBE,  true,  false, false, 1},
    {"tool, pipe as a descriptor",       TUBE,  false, false, false, 1},
    {"tool, socket as standard error",   PRISE, true,  false, false, 1},
    {"tool helper, pipe",                TUBE,  false, false, true,  1},
    {"tool helper, socket",              PRISE, false, false, true,  1},
    {"window, pipe as standard error",   TUBE,  true,  true,  false, 0},
    {"window, pipe as a descriptor",     TUBE,  false, true,  false, 0},
    {"window, socket as standard error", PRISE, true,  true,  false, 0},
};
// clang-format on

void ecrit_sans_lecteur(const cas_lecteur_parti& cas) {
    canal c(cas.genre == PRISE);
    c.ferme_lecture();
    if (cas.ecrit_tout) {
        ecrit_tout(c.ecriture(), "rapport\n");
        std::exit(0);
    }
    if (cas.erreur_standard) {
        dup2(c.ecriture(), 2);
        console_vers_erreur_standard();
    } else {
        console_vers_descripteur(c.ecriture());
    }
    if (cas.fenetre) console_mode_fenetre();
    for (int i = 0; i < 3; ++i) console_ligne("egalite!");
    // The window's console has fallen silent rather than keep writing into nothing.
    std::exit(cas.fenetre && console_active() ? 2 : 0);
}

TEST(ConsoleLecteurParti, LaFenetreContinueLOutilFinitAvecLeStatut1) {
    for (const cas_lecteur_parti& cas : lecteurs_partis) {
        SCOPED_TRACE(cas.nom);
        EXPECT_EXIT(ecrit_sans_lecteur(cas), ::testing::ExitedWithCode(cas.statut), "^$");
    }
}

} // namespace

namespace {

// The window's --trace=instructions: only the instruction lines go out, and a full pipe loses
// them like any other line instead of holding the window.
TEST_F(ConsoleModes, InstructionsSeulesSousLesReglesDeLaFenetre) {
    canal c(false);
    console_vers_descripteur(c.ecriture());
    console_mode_fenetre();
    console_instructions_seules(true);
    EXPECT_FALSE(console_active());
    ecrit_sequence();
    console_ligne_instruction("1 0000 7c       NOP A=00 X=0000 CCR=00000000\n");
    EXPECT_EQ(vide(c.lecture()), "1 0000 7c       NOP A=00 X=0000 CCR=00000000\n");
    remplit(c.ecriture());
    {
        garde_attente garde;
        console_ligne_instruction("2 0001 7c       NOP A=00 X=0000 CCR=00000000\n");
    }
    vide(c.lecture());
    console_ligne_instruction("3 0002 7c       NOP A=00 X=0000 CCR=00000000\n");
    EXPECT_EQ(vide(c.lecture()),
              "1 lignes de trace perdues\n3 0002 7c       NOP A=00 X=0000 CCR=00000000\n");
    console_instructions_seules(false);
    EXPECT_TRUE(console_active());
}

} // namespace
