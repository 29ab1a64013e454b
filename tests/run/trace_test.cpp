// The trace of each instruction, a source with errors told as quorvel-asm tells them, and a
// reader that goes away: the runner ends quietly with status 1.
#include "outils.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <regex>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const char* const PROGRAMME = "LOADI 5\nSTORE $1004\nADD $0010,X\nfin: B fin\n";
const char* const TRACE = "1 0000 01 05    LOADI 5 A=05 X=0000 CCR=00000000\n"
                          "2 0002 06 10 04 STORE 4100 A=05 X=0000 CCR=00000000\n"
                          "3 0005 27 00 10 ADD 16,X A=05 X=0000 CCR=00000000\n"
                          "4 0008 7a 00 00 B 0 A=05 X=0000 CCR=00000000\n";

TEST(Trace, UneLigneParInstruction) {
    dossier_temporaire d;
    std::string source = d.ecrit("prog.s", PROGRAMME);
    resultat_commande r = lance_run({source, "--trace"});
    EXPECT_EQ(r.statut, 0);
    EXPECT_EQ(r.erreurs, TRACE);
    std::string sortie_sans_trace = lance_run({source}).sortie;
    EXPECT_EQ(r.sortie, sortie_sans_trace) << "the trace changes nothing else";

    std::string fichier = (d.chemin / "trace.txt").string();
    r = lance_run({source, "--trace-fichier", fichier});
    EXPECT_EQ(r.erreurs, "");
    EXPECT_EQ(d.lit("trace.txt"), TRACE);
}

// Every line of a long run, on every kind of instruction of the example programs.
TEST(Trace, FormatSurUnLongParcours) {
    const std::regex ligne("([0-9]+) ([0-9a-f]{4}) ([0-9a-f]{2}(?: [0-9a-f]{2}){0,2}) *(\\S.*) "
                           "A=[0-9a-f]{2} X=[0-9a-f]{4} CCR=[01]{8}");
    for (const char* exemple :
         {"compteur.s", "somme_table.s", "multiplication.s", "chenillard.s"}) {
        SCOPED_TRACE(exemple);
        resultat_commande r =
            lance_run({std::string(EXEMPLES) + "/" + exemple, "--trace", "-n", "3000"});
        std::vector<std::string> lignes = lignes_de(r.erreurs);
        ASSERT_FALSE(lignes.empty());
        EXPECT_EQ(r.erreurs.back(), '\n');
        for (size_t n = 0; n < lignes.size(); ++n) {
            std::smatch m;
            ASSERT_TRUE(std::regex_match(lignes[n], m, ligne)) << lignes[n];
            EXPECT_EQ(m[1].str(), std::to_string(n + 1));
            EXPECT_EQ(lignes[n][m.position(3) + 8], ' ') << "bytes padded to 8: " << lignes[n];
        }
    }
}

TEST(Trace, SourceAvecErreursCommeQuorvelAsm) {
    dossier_temporaire d;
    struct cas_source {
        const char* nom;
        const char* texte;
        int statut;
    };
    const cas_source sources[] = {
        {"erreurs", "debut: LAOD 1\nADDI 300\nB nulle_part\n", 1},
        {"avertissements seulement", "ORG 4\nfin: B fin\n", 0},
    };
    for (const cas_source& s : sources) {
        SCOPED_TRACE(s.nom);
        d.ecrit("prog.s", s.texte);
        resultat_commande asm_ =
            lance(QUORVEL_ASM, {"prog.s", "-o", "prog.bin"}, "", d.chemin.string());
        ASSERT_FALSE(asm_.erreurs.empty());
        resultat_commande r = lance_run({"prog.s", "--json"}, "", d.chemin.string());
        EXPECT_EQ(r.statut, s.statut);
        EXPECT_EQ(r.erreurs, asm_.erreurs);
        EXPECT_EQ(r.sortie.empty(), s.statut == 1);
    }
    // Standard input is named "-".
    resultat_commande r = lance_run({"-"}, "LAOD 1\n");
    EXPECT_EQ(r.statut, 1);
    EXPECT_EQ(r.erreurs.rfind("-:1: ", 0), 0u) << r.erreurs;
}

// Runs quorvel-run with one of its streams (1 or 2) into a pipe whose reader reads lire bytes,
// then goes away. The other stream goes to a file.
resultat_commande lance_vers_tube(const std::vector<std::string>& arguments, int flux,
                                  size_t lire) {
    dossier_temporaire d;
    std::string autre = (d.chemin / "autre").string();
    int tube[2];
    if (pipe(tube) != 0) return {};
    // A reader that is gone before the first write: closed before the fork, so that no process
    // holds it while the command writes (else a short report could get through first).
    if (lire == 0) {
        close(tube[0]);
        tube[0] = -1;
    }
    pid_t pid = fork();
    if (pid == 0) {
        if (tube[0] >= 0) close(tube[0]);
        dup2(tube[1], flux);
        int f = open(autre.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(f, 3 - flux);
        signal(SIGPIPE, SIG_DFL); // as a shell leaves it
        std::vector<char*> argv = {const_cast<char*>(QUORVEL_RUN)};
        for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(QUORVEL_RUN, argv.data());
        _exit(127);
    }
    close(tube[1]);
    char tampon[4096];
    size_t lus = 0;
    while (lus < lire && tube[0] >= 0) {
        ssize_t n = read(tube[0], tampon, sizeof tampon);
        if (n <= 0) break;
        lus += static_cast<size_t>(n);
    }
    if (tube[0] >= 0) close(tube[0]);
    int statut = 0;
    waitpid(pid, &statut, 0);
    resultat_commande r;
    r.statut = WIFEXITED(statut) ? WEXITSTATUS(statut) : -1;
    (flux == 1 ? r.erreurs : r.sortie) = lit_fichier_test(autre);
    return r;
}

TEST(Trace, LecteurParti) {
    dossier_temporaire d;
    std::string sans_fin = d.ecrit("prog.s", "debut: ADDI 1\nB debut\n");
    struct cas_tube {
        const char* nom;
        std::vector<std::string> arguments;
        int flux;
        size_t lire;
    };
    const cas_tube cas[] = {
        {"rapport vers un tube ferme", {sans_fin, "-n", "10"}, 1, 0},
        {"trace vers un tube ferme", {sans_fin, "--trace"}, 2, 0},
        {"trace lue un moment", {sans_fin, "--trace"}, 2, 200000},
        {"trace-fichier sur un tube lu un moment",
         {sans_fin, "--trace-fichier", "/dev/stdout"},
         1,
         200000},
    };
    for (const cas_tube& c : cas) {
        SCOPED_TRACE(c.nom);
        resultat_commande r = lance_vers_tube(c.arguments, c.flux, c.lire);
        EXPECT_EQ(r.statut, 1) << "ended by its own exit, not by SIGPIPE";
        EXPECT_EQ(c.flux == 1 ? r.erreurs : r.sortie, "") << "quietly";
    }
}

TEST(Trace, FichierImpossible) {
    dossier_temporaire d;
    std::string source = d.ecrit("prog.s", PROGRAMME);
    resultat_commande r = lance_run({source, "--trace-fichier", "/inexistant/trace.txt"});
    EXPECT_EQ(r.statut, 1);
    EXPECT_EQ(
        r.erreurs,
        "quorvel-run: impossible d'ecrire /inexistant/trace.txt: No such file or directory\n");
    EXPECT_EQ(r.sortie, "");
    r = lance_run({source, "--trace-fichier", "/dev/full"});
    EXPECT_EQ(r.statut, 1);
    EXPECT_EQ(r.erreurs, "quorvel-run: ecriture impossible: No space left on device\n");
    EXPECT_EQ(r.sortie, "");
}

} // namespace
