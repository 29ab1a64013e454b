// Reloading: the file read again, nothing to reload, and what becomes of the breakpoints.
// First: the toolkit's headers bring X11 macros (None, Bool) that clash with GoogleTest's names.
#include <gtest/gtest.h>

#include "dossier.h"
#include "modales.h"
#include "outils.h"
#include "programme_test.h"

#include <FL/Fl_Button.H>

#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// What a sequence of loads does; the folder holds a.s, b.s (the same program), a.bin, b.bin and
// faux.s (an error until REPARE).
enum geste {
    OUVRE_A,
    OUVRE_B,
    OUVRE_A_BIN,
    OUVRE_B_BIN,
    OUVRE_A_DETOUR,
    OUVRE_FAUX,
    REPARE,
    RECHARGE,
    ANNULE,
    POINT
};

struct cas_points {
    const char* nom;
    std::vector<geste> gestes;
    bool point_reste; // the breakpoint set by POINT
};

const cas_points cas_des_points[] = {
    {"ouvrir un autre source efface les points", {OUVRE_A, POINT, OUVRE_B}, false},
    {"ouvrir un autre binaire efface les points", {OUVRE_A_BIN, POINT, OUVRE_B_BIN}, false},
    {"recharger les garde", {OUVRE_A, POINT, RECHARGE, RECHARGE}, true},
    {"recharger un binaire les garde", {OUVRE_A_BIN, POINT, RECHARGE}, true},
    {"rouvrir le meme fichier les garde", {OUVRE_A, POINT, OUVRE_A}, true},
    {"le meme fichier par un autre chemin aussi", {OUVRE_A, POINT, OUVRE_A_DETOUR}, true},
    {"un chargement manque les garde", {OUVRE_A, POINT, OUVRE_FAUX}, true},
    {"annuler le selecteur les garde", {OUVRE_A, POINT, ANNULE, RECHARGE}, true},
    {"recharger un autre fichier, repare apres un echec, les efface",
     {OUVRE_A, POINT, OUVRE_FAUX, REPARE, RECHARGE},
     false},
    {"des points poses sans programme s'en vont au premier", {POINT, OUVRE_A}, false},
};

TEST(Rechargement, PointsDArret) {
    for (const cas_points& c : cas_des_points) {
        SCOPED_TRACE(c.nom);
        dossier_temporaire dossier;
        dossier.ecrit("a.s", PROGRAMME);
        dossier.ecrit("b.s", PROGRAMME);
        dossier.ecrit("a.bin", FICHIER_PROGRAMME);
        dossier.ecrit("b.bin", FICHIER_PROGRAMME);
        dossier.ecrit("faux.s", " FOO\n");
        ASSERT_EQ(mkdir(dossier.chemin("d").c_str(), 0700), 0);
        auto sim = nouveau_simulateur();
        capture_erreur trace;
        for (geste g : c.gestes) {
            reponse_modale alerte;
            if (g == OUVRE_FAUX) repond_a_la_prochaine_modale(alerte);
            switch (g) {
            case OUVRE_A: sim->charge_programme(dossier.chemin("a.s").c_str()); break;
            case OUVRE_B: sim->charge_programme(dossier.chemin("b.s").c_str()); break;
            case OUVRE_A_BIN: sim->charge_programme(dossier.chemin("a.bin").c_str()); break;
            case OUVRE_B_BIN: sim->charge_programme(dossier.chemin("b.bin").c_str()); break;
            case OUVRE_A_DETOUR: sim->charge_programme(dossier.chemin("d/../a.s").c_str()); break;
            case OUVRE_FAUX: sim->charge_programme(dossier.chemin("faux.s").c_str()); break;
            case REPARE: dossier.ecrit("faux.s", PROGRAMME); break;
            case RECHARGE: passe_avec(*sim, sim->SIM->K_RECHARGE); break;
            case ANNULE: sim->charge_programme(nullptr); break;
            case POINT: sim->session.arrets.set(0x0005); break;
            }
            EXPECT_EQ(alerte.vue, g == OUVRE_FAUX);
        }
        trace.fin();
        EXPECT_EQ(sim->session.arrets.test(0x0005), c.point_reste);
        EXPECT_TRUE(programme_en_memoire(*sim));
    }
}

TEST(Rechargement, RienDOuvert) {
    auto sim = nouveau_simulateur();
    prepare_machine(*sim);
    capture_erreur trace;
    EXPECT_EQ(passe_avec(*sim, sim->SIM->K_RECHARGE), 1);
    EXPECT_EQ(trace.fin(), "rechargement: aucun programme n'a ete ouvert\n"
                           "PortA: ppartage_mem 0\nPortB: ppartage_mem 0\nPortC: ppartage_mem 0\n");
    EXPECT_TRUE(machine_inchangee(*sim));
}

struct cas_modification {
    const char* nom;
    const char* fichier;
    std::string avant, apres; // the file's contents at the open, then at the reload
    bool alerte;
    uint8_t octet1; // memory at $0001 after the reload
};

const cas_modification cas_modifications[] = {
    {"le source a change: il est relu et reassemble", "m.s", " LOADI 5\n", " LOADI 7\n", false, 7},
    {"le binaire a change: il est relu", "m.bin", std::string("\x00\x06\x00\x00\x01\x05", 6),
     std::string("\x00\x06\x00\x00\x01\x07", 6), false, 7},
    {"le source a maintenant une erreur: alerte, rien ne change", "m.s", " LOADI 5\n",
     " LOADI 5\n FOO\n", true, 5},
    {"le source a disparu: alerte, rien ne change", "m.s", " LOADI 5\n", "", true, 5},
};

TEST(Rechargement, RelitLeFichier) {
    for (const cas_modification& c : cas_modifications) {
        SCOPED_TRACE(c.nom);
        dossier_temporaire dossier;
        std::string chemin = dossier.ecrit(c.fichier, c.avant);
        auto sim = nouveau_simulateur();
        capture_erreur trace_ouverture;
        sim->charge_programme(chemin.c_str());
        std::string ouverture = trace_ouverture.fin();
        passe_avec(*sim, sim->SIM->B_STEP);
        ASSERT_EQ(sim->inter.PC_value(), 2);
        if (c.apres.empty())
            unlink(chemin.c_str());
        else
            dossier.ecrit(c.fichier, c.apres);
        reponse_modale alerte;
        if (c.alerte) repond_a_la_prochaine_modale(alerte);
        capture_erreur trace;
        passe_avec(*sim, sim->SIM->K_RECHARGE);
        std::string rechargement = trace.fin();
        EXPECT_EQ(alerte.vue, c.alerte);
        EXPECT_EQ(sim->memoire.read_byte(1), c.octet1);
        EXPECT_EQ(sim->inter.PC_value(), c.alerte ? 2 : 0);
        if (!c.alerte) {
            // The same lines as opening it, up to the drawing of the new program.
            std::vector<std::string> avant = lignes(ouverture), apres = lignes(rechargement);
            ASSERT_GE(apres.size(), 4u);
            EXPECT_EQ(std::vector<std::string>(avant.begin(), avant.begin() + 4),
                      std::vector<std::string>(apres.begin(), apres.begin() + 4));
            EXPECT_EQ(apres[3], "depart: 0");
        }
    }
}

} // namespace
