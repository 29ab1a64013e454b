// The program loader, on small files written by each test into its own temporary folder.
#include "cas_execution.h"

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class Chargeur : public ::testing::Test {
  protected:
    std::filesystem::path dossier;

    void SetUp() override {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dossier = std::filesystem::path(::testing::TempDir()) /
                  ("quorvel-" + std::string(info->name()) + "-" + std::to_string(getpid()));
        std::filesystem::remove_all(dossier);
        std::filesystem::create_directories(dossier);
    }
    void TearDown() override { std::filesystem::remove_all(dossier); }

    std::string ecrit(const std::string& nom, const std::vector<uint8_t>& octets) {
        std::filesystem::path chemin = dossier / nom;
        std::ofstream fichier(chemin, std::ios::binary);
        fichier.write(reinterpret_cast<const char*>(octets.data()),
                      static_cast<std::streamsize>(octets.size()));
        return chemin.string();
    }

    // Loads chemin into m's memory; trace receives the console text of the load.
    static int charge(machine_test& m, const std::string& chemin, std::string& trace) {
        capture_console capture;
        int resultat = m.memoire->load_binaire(chemin);
        trace = capture.texte();
        return resultat;
    }
};

// The three ways in: a file with and without the reason, and the bytes of a file.
enum entree { FICHIER, FICHIER_ET_RAISON, OCTETS };
const char* const noms_entrees[] = {"load_binaire(nom)", "load_binaire(nom, raison)",
                                    "load_octets"};

struct chargement {
    int resultat;
    std::string trace;
    std::string raison = "(not given)";
};

// The bytes entry is given contenu; the file entries read chemin, which holds contenu.
chargement charge_par(entree e, mem_64k& memoire, const std::string& chemin,
                      const std::vector<uint8_t>& contenu) {
    chargement c;
    capture_console capture;
    if (e == FICHIER) {
        c.resultat = memoire.load_binaire(chemin);
    } else {
        c.raison = "not emptied";
        c.resultat = e == OCTETS ? memoire.load_octets(contenu.data(), contenu.size(), c.raison)
                                 : memoire.load_binaire(chemin, c.raison);
    }
    c.trace = capture.texte();
    return c;
}

std::string lignes_de_tete(entree e, const std::string& chemin) {
    if (e == OCTETS) return "c'est parti ..\n";
    return "c'est parti ..\nlecture de \"" + chemin + "\"\n";
}

struct cas_fichier {
    const char* nom;
    std::vector<uint8_t> contenu;
    const char* ligne_entete;      // the trace line after "lecture de ..."
    std::vector<cellule> chargees; // every other cell reads $00 afterwards
};

std::vector<uint8_t> entete_et(std::vector<uint8_t> entete, int nombre, uint8_t premier) {
    for (int i = 0; i < nombre; ++i) entete.push_back(static_cast<uint8_t>(premier + i));
    return entete;
}

std::vector<cellule> suite(uint16_t adresse, int nombre, uint8_t premier) {
    std::vector<cellule> cellules;
    for (int i = 0; i < nombre; ++i)
        cellules.push_back({static_cast<uint16_t>(adresse + i), static_cast<uint8_t>(premier + i)});
    return cellules;
}

// clang-format off
const cas_fichier fichiers[] = {
    {"the 7-byte example",                {0x00, 0x07, 0x01, 0x00, 0x11, 0x22, 0x33},     "adresse de base 256 taille 7",      {{0x0100, 0x11}, {0x0101, 0x22}, {0x0102, 0x33}}},
    {"declares 10, holds 2",              {0x00, 0x0A, 0x02, 0x00, 0xAB, 0xCD},           "adresse de base 512 taille 10",     {{0x0200, 0xAB}, {0x0201, 0xCD}}},
    {"longer than declared",              {0x00, 0x05, 0x03, 0x00, 0x44, 0x55, 0x66},     "adresse de base 768 taille 5",      {{0x0300, 0x44}}},
    {"header only",                       {0x00, 0x04, 0x12, 0x34},                       "adresse de base 4660 taille 4",     {}},
    {"size 3 loads nothing",              {0x00, 0x03, 0x00, 0x10, 0x99},                 "adresse de base 16 taille 3",       {}},
    {"size $8000 is -32768",              {0x80, 0x00, 0x00, 0x00, 0x11, 0x22},           "adresse de base 0 taille -32768",   {}},
    {"size $FFFF is -1",                  {0xFF, 0xFF, 0x00, 0x20, 0x11},                 "adresse de base 32 taille -1",      {}},
    {"bytes $0D $0A $1A kept",            {0x00, 0x09, 0x40, 0x00, 0x0D, 0x0A, 0x1A, 0x0D, 0x0A}, "adresse de base 16384 taille 9", {{0x4000, 0x0D}, {0x4001, 0x0A}, {0x4002, 0x1A}, {0x4003, 0x0D}, {0x4004, 0x0A}}},
    {"past $FFFF: dropped, no wrap",      {0x00, 0x0A, 0xFF, 0xFE, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06}, "adresse de base 65534 taille 10", {{0xFFFE, 0x01}, {0xFFFF, 0x02}}},
    {"$FFF0 with size 20 fills to $FFFF", entete_et({0x00, 0x14, 0xFF, 0xF0}, 16, 0x10), "adresse de base 65520 taille 20",   suite(0xFFF0, 16, 0x10)},
    {"largest size 32767 at $8000",       entete_et({0x7F, 0xFF, 0x80, 0x00}, 32763, 1), "adresse de base 32768 taille 32767", suite(0x8000, 32763, 1)},
    {"40000 bytes declaring 32767",       entete_et({0x7F, 0xFF, 0x00, 0x00}, 39996, 7), "adresse de base 0 taille 32767",     suite(0x0000, 32763, 7)},
};
// clang-format on

TEST_F(Chargeur, EffaceLaMemoireEtChargeLeProgramme) {
    for (entree e : {FICHIER, FICHIER_ET_RAISON, OCTETS}) {
        for (const cas_fichier& cas : fichiers) {
            SCOPED_TRACE(std::string(noms_entrees[e]) + ": " + cas.nom);
            std::string chemin = ecrit("programme.bin", cas.contenu);
            machine_test m;
            m.place(0x0000, {0x77, 0x77});
            m.place(0x0100, {0x77, 0x77, 0x77, 0x77});
            chargement c = charge_par(e, *m.memoire, chemin, cas.contenu);
            EXPECT_EQ(c.resultat, 1);
            EXPECT_EQ(c.trace, lignes_de_tete(e, chemin) + cas.ligne_entete + "\n");
            if (e != FICHIER) {
                EXPECT_EQ(c.raison, "");
            }
            attend_memoire(*m.memoire, std::vector<uint8_t>(65536, 0x00), cas.chargees);
        }
    }
}

// Ends the test program, naming the case, if a load waits (on a FIFO, say) instead of refusing.
class garde_delai {
  public:
    explicit garde_delai(const char* nom_cas) {
        cas = nom_cas;
        std::signal(SIGALRM, [](int) {
            const char debut[] = "\nthe load blocked: ";
            ssize_t ignore = write(2, debut, sizeof debut - 1);
            ignore = write(2, cas, std::strlen(cas));
            (void)ignore;
            _exit(3);
        });
        alarm(10);
    }
    ~garde_delai() { alarm(0); }

  private:
    static inline const char* cas = "";
};

struct cas_echec {
    const char* nom;
    std::string chemin; // in the test's folder; "@..." names an absolute path as it is
    const char* raison;
};

const std::vector<uint8_t> court[] = {{}, {0x12}, {0x00, 0x07}, {0x00, 0x07, 0x01}};

TEST_F(Chargeur, UnEchecDitPourquoiEtNeChangeRien) {
    std::filesystem::create_directories(dossier / "un-dossier.bin");
    ASSERT_EQ(mkfifo((dossier / "tube.bin").c_str(), 0644), 0);
    for (size_t i = 0; i < 4; ++i) ecrit("court" + std::to_string(i) + ".bin", court[i]);
    ecrit("fichier", {0x00, 0x05, 0x00, 0x00, 0x01});
    std::filesystem::create_symlink(dossier / "absent.bin", dossier / "lien-mort.bin");
    std::filesystem::create_symlink(dossier / "tube.bin", dossier / "lien-tube.bin");
    // clang-format off
    const cas_echec table[] = {
        {"no such file",             "absent.bin",                   "fichier introuvable"},
        {"no such folder",           "dossier-absent/programme.bin", "fichier introuvable"},
        {"empty name",               "@",                            "fichier introuvable"},
        {"a file used as a folder",  "fichier/programme.bin",        "fichier introuvable"},
        {"dangling symbolic link",   "lien-mort.bin",                "fichier introuvable"},
        {"a folder",                 "un-dossier.bin",               "c'est un dossier"},
        {"a FIFO nobody writes to",  "tube.bin",                     "ce n'est pas un fichier ordinaire"},
        {"a link to a FIFO",         "lien-tube.bin",                "ce n'est pas un fichier ordinaire"},
        {"/dev/null",                "@/dev/null",                   "ce n'est pas un fichier ordinaire"},
        {"/dev/zero, which never ends", "@/dev/zero",                "ce n'est pas un fichier ordinaire"},
        {"empty file",               "court0.bin",                   "fichier vide ou trop court"},
        {"1 byte",                   "court1.bin",                   "fichier vide ou trop court"},
        {"2 bytes",                  "court2.bin",                   "fichier vide ou trop court"},
        {"3 bytes",                  "court3.bin",                   "fichier vide ou trop court"},
    };
    // clang-format on
    for (entree e : {FICHIER, FICHIER_ET_RAISON}) {
        for (const cas_echec& cas : table) {
            SCOPED_TRACE(std::string(noms_entrees[e]) + ": " + cas.nom);
            std::string chemin =
                cas.chemin[0] == '@' ? cas.chemin.substr(1) : (dossier / cas.chemin).string();
            machine_test m;
            m.place(0x0000, {0x01, 0x2A, 0x06, 0x10, 0x04});
            m.place(0xFFFF, {0x99});
            m.inter.set_PC_value(0x1234);
            std::vector<uint8_t> avant = instantane(*m.memoire);
            chargement c;
            {
                garde_delai garde(cas.nom);
                c = charge_par(e, *m.memoire, chemin, {});
            }
            EXPECT_EQ(c.resultat, 0);
            EXPECT_EQ(c.trace,
                      lignes_de_tete(e, chemin) + "erreur sur fichier \n" + cas.raison + "\n");
            if (e == FICHIER_ET_RAISON) {
                EXPECT_EQ(c.raison, cas.raison);
            }
            EXPECT_EQ(m.inter.PC_value(), 0x1234);
            attend_memoire(*m.memoire, avant, {});
        }
    }
}

TEST_F(Chargeur, DesOctetsTropCourtsNeChangentRien) {
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(std::to_string(i) + " bytes");
        machine_test m;
        m.place(0x0000, {0x01, 0x2A, 0x06, 0x10, 0x04});
        std::vector<uint8_t> avant = instantane(*m.memoire);
        chargement c = charge_par(OCTETS, *m.memoire, "", court[i]);
        EXPECT_EQ(c.resultat, 0);
        EXPECT_EQ(c.trace, "c'est parti ..\nerreur sur fichier \nfichier vide ou trop court\n");
        EXPECT_EQ(c.raison, "fichier vide ou trop court");
        attend_memoire(*m.memoire, avant, {});
    }
}

// Runs the load of chemin in a child process without root's right to read every file; the
// child sends back the result, the reason, whether memory was kept, then the trace.
std::string charge_sans_privilege(const std::string& chemin) {
    int tube[2];
    if (pipe(tube) != 0) return "pipe failed";
    pid_t fils = fork();
    if (fils == 0) {
        close(tube[0]);
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(77);
        machine_test m;
        m.place(0x0000, {0x01, 0x2A});
        std::vector<uint8_t> avant = instantane(*m.memoire);
        std::string raison, trace;
        int resultat;
        {
            capture_console capture;
            resultat = m.memoire->load_binaire(chemin, raison);
            trace = capture.texte();
        }
        std::string message = std::to_string(resultat) + "|" + raison + "|" +
                              (instantane(*m.memoire) == avant ? "kept" : "changed") + "|" + trace;
        ssize_t ignore = write(tube[1], message.data(), message.size());
        (void)ignore;
        _exit(0);
    }
    close(tube[1]);
    std::string message;
    char tampon[512];
    ssize_t n;
    while ((n = read(tube[0], tampon, sizeof tampon)) > 0) message.append(tampon, size_t(n));
    close(tube[0]);
    int statut = 0;
    waitpid(fils, &statut, 0);
    if (WIFEXITED(statut) && WEXITSTATUS(statut) == 77) return "no unprivileged user";
    return message;
}

TEST_F(Chargeur, UnFichierIllisibleDitAccesRefuse) {
    // Root reads every file whatever its mode: the child gives that right up first.
    std::string chemin = ecrit("illisible.bin", {0x00, 0x05, 0x00, 0x00, 0x01});
    ASSERT_EQ(chmod(chemin.c_str(), 0), 0);
    std::filesystem::permissions(dossier, std::filesystem::perms::all);
    std::string message = charge_sans_privilege(chemin);
    if (message == "no unprivileged user") GTEST_SKIP() << "cannot give up root's rights here";
    EXPECT_EQ(message, "0|acces refuse|kept|c'est parti ..\nlecture de \"" + chemin +
                           "\"\nerreur sur fichier \nacces refuse\n");
}

} // namespace
