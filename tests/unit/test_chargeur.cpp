// The program loader, on small files written by each test into its own temporary folder.
#include "cas_execution.h"

#include <filesystem>
#include <fstream>
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
    {"empty file",                        {},                                             "adresse de base 0 taille 0",        {}},
    {"1 byte: header read with 0s",       {0x12},                                         "adresse de base 0 taille 4608",     {}},
    {"2 bytes",                           {0x00, 0x07},                                   "adresse de base 0 taille 7",        {}},
    {"3 bytes",                           {0x00, 0x07, 0x01},                             "adresse de base 256 taille 7",      {}},
};
// clang-format on

TEST_F(Chargeur, EffaceLaMemoireEtChargeLeProgramme) {
    for (const cas_fichier& cas : fichiers) {
        SCOPED_TRACE(cas.nom);
        std::string chemin = ecrit("programme.bin", cas.contenu);
        machine_test m;
        m.place(0x0000, {0x77, 0x77});
        m.place(0x0100, {0x77, 0x77, 0x77, 0x77});
        std::string trace;
        int resultat = charge(m, chemin, trace);
        EXPECT_EQ(resultat, 1);
        EXPECT_EQ(trace,
                  "c'est parti ..\nlecture de \"" + chemin + "\"\n" + cas.ligne_entete + "\n");
        attend_memoire(*m.memoire, std::vector<uint8_t>(65536, 0x00), cas.chargees);
    }
}

TEST_F(Chargeur, UnFichierIntrouvableLaisseLaMemoireCommeElleEtait) {
    // A folder opens for reading but is no program: it must not wipe memory either.
    std::filesystem::create_directories(dossier / "un-dossier.bin");
    const char* noms[] = {"absent.bin", "dossier-absent/programme.bin", "", "un-dossier.bin"};
    for (const char* nom : noms) {
        SCOPED_TRACE(nom);
        std::string chemin = nom[0] ? (dossier / nom).string() : std::string();
        machine_test m;
        m.place(0x0000, {0x01, 0x2A, 0x06, 0x10, 0x04});
        m.place(0xFFFF, {0x99});
        std::vector<uint8_t> avant = instantane(*m.memoire);
        std::string trace;
        int resultat = charge(m, chemin, trace);
        EXPECT_EQ(resultat, 0);
        EXPECT_EQ(trace, "c'est parti ..\nlecture de \"" + chemin + "\"\nerreur sur fichier \n");
        attend_memoire(*m.memoire, avant, {});
    }
}

} // namespace
