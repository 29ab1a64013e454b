// A refused program file: the alert says why on its third line, the window does not wait on a
// FIFO, and neither memory nor the processor change.
// First: the toolkit's headers bring X11 macros (None, Bool) that clash with GoogleTest's names.
#include <gtest/gtest.h>

#include "outils.h"

#include <FL/Fl.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Window.H>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void rassemble(Fl_Group* groupe, std::string& textes) {
    for (int i = 0; i < groupe->children(); i++) {
        Fl_Widget* w = groupe->child(i);
        if (w->label()) textes += std::string(w->label()) + "\n";
        if (w->as_group()) rassemble(w->as_group(), textes);
    }
}

// Inside the alert's wait: keeps the alert's texts, then closes it.
void lit_alerte(void* donnees) {
    Fl_Window* modale = Fl::modal();
    if (!modale) {
        Fl::repeat_timeout(0.02, lit_alerte, donnees);
        return;
    }
    rassemble(modale, *static_cast<std::string*>(donnees));
    modale->hide();
    reveille();
}

struct cas_refus {
    const char* nom;
    const char* fichier; // in the test's folder
    const char* raison;
};

TEST(ChargementRefuse, LAlerteDitPourquoiEtRienNeChange) {
    std::filesystem::path dossier =
        std::filesystem::path(::testing::TempDir()) / ("quorvel-refus-" + std::to_string(getpid()));
    std::filesystem::create_directories(dossier / "dossier.bin");
    ASSERT_EQ(mkfifo((dossier / "tube.bin").c_str(), 0644), 0);
    std::ofstream(dossier / "court.bin", std::ios::binary) << '\x00' << '\x07';
    const cas_refus table[] = {
        {"no such file", "absent.bin", "fichier introuvable"},
        {"a folder", "dossier.bin", "c'est un dossier"},
        {"a FIFO nobody writes to", "tube.bin", "ce n'est pas un fichier ordinaire"},
        {"shorter than the header", "court.bin", "fichier vide ou trop court"},
    };
    for (const cas_refus& cas : table) {
        SCOPED_TRACE(cas.nom);
        auto sim = nouveau_simulateur();
        sim->memoire.efface(0x7C);
        sim->inter.set_PC_value(0x10);
        sim->sauve_registres();
        std::string alerte;
        Fl::add_timeout(0.05, lit_alerte, &alerte);
        std::string chemin = (dossier / cas.fichier).string();
        capture_erreur trace;
        alarm(20); // a load that waits ends the test program rather than hanging it
        sim->charge_programme(chemin.c_str());
        alarm(0);
        std::vector<std::string> l = lignes(trace.fin());
        std::vector<std::string> attendu = {"c'est parti ..", "lecture de \"" + chemin + "\"",
                                            "erreur sur fichier ", cas.raison};
        ASSERT_GE(l.size(), attendu.size());
        EXPECT_EQ(std::vector<std::string>(l.begin(), l.begin() + 4), attendu);
        EXPECT_NE(alerte.find(std::string("Erreur: fichier corrompu\nou fichier binaire non "
                                          "attendu.\n") +
                              cas.raison + "\n"),
                  std::string::npos)
            << alerte;
        EXPECT_EQ(sim->inter.PC_value(), 0x10);
        EXPECT_EQ(sim->memoire.read_byte(0), 0x7C);
        EXPECT_EQ(sim->memoire.read_byte(0xFFFF), 0x7C);
    }
    std::filesystem::remove_all(dossier);
}

} // namespace
