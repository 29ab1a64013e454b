// Opening programs: sources assembled in memory, and the command line's program.
// First: the toolkit's headers bring X11 macros (None, Bool) that clash with GoogleTest's names.
#include <gtest/gtest.h>

#include "dossier.h"
#include "modales.h"
#include "outils.h"
#include "programme_test.h"
#include "source.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/fl_ask.H>

#include <algorithm>
#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::string repete(const std::string& ligne, int n) {
    std::string texte;
    for (int i = 0; i < n; i++) texte += ligne;
    return texte;
}

bool commence_par(const std::string& texte, const std::string& debut) {
    return texte.compare(0, debut.size(), debut) == 0;
}

struct cas_source {
    const char* nom;
    const char* fichier; // its name in the folder
    std::string contenu;
    bool charge;
    // The console's lines, in order, up to "depart: 0" or to the last; "@" stands for the path.
    // A line ending in "*" is a prefix (the assembler's own wording follows).
    std::vector<std::string> trace;
    // The alert's lines after its first one, with the same convention; empty: no alert.
    std::vector<std::string> alerte;
};

const char* const EN_TETE_ALERTE = "Erreurs d'assemblage, rien n'est charge:";

const cas_source cas_sources[] = {
    {"un source correct est assemble et charge, PC a 0",
     "prog.s",
     PROGRAMME,
     true,
     {"assemblage de \"@\"", "c'est parti ..", "adresse de base 0 taille 12", "depart: 0"},
     {}},
    {"un avertissement ne l'empeche pas et va sur la console",
     "avert.s",
     std::string(PROGRAMME) + "        STOREI 5\n",
     true,
     {"assemblage de \"@\"", "avert.s:5: avertissement: *", "c'est parti ..",
      "adresse de base 0 taille 14", "depart: 0"},
     {}},
    {"une erreur: alerte, rien ne change",
     "faux.s",
     "debut: LOADI 5\n FOO\n",
     false,
     {"assemblage de \"@\"", "faux.s:2: *", "rien n'est charge: 1 erreur(s) d'assemblage"},
     {"faux.s:2: *"}},
    {"dix erreurs: toutes dans l'alerte, sans suite",
     "dix.s",
     repete(" FOO\n", 10),
     false,
     {"assemblage de \"@\"", "dix.s:1: *", "dix.s:2: *", "dix.s:3: *", "dix.s:4: *", "dix.s:5: *",
      "dix.s:6: *", "dix.s:7: *", "dix.s:8: *", "dix.s:9: *", "dix.s:10: *",
      "dix.s: avertissement: *", "rien n'est charge: 10 erreur(s) d'assemblage"},
     {"dix.s:1: *", "dix.s:2: *", "dix.s:3: *", "dix.s:4: *", "dix.s:5: *", "dix.s:6: *",
      "dix.s:7: *", "dix.s:8: *", "dix.s:9: *", "dix.s:10: *"}},
    {"douze erreurs: les dix premieres dans l'alerte, toutes sur la console",
     "douze.s",
     " LOADI 1\n" + repete(" FOO\n", 12),
     false,
     {"assemblage de \"@\"", "douze.s:2: *", "douze.s:3: *", "douze.s:4: *", "douze.s:5: *",
      "douze.s:6: *", "douze.s:7: *", "douze.s:8: *", "douze.s:9: *", "douze.s:10: *",
      "douze.s:11: *", "douze.s:12: *", "douze.s:13: *",
      "rien n'est charge: 12 erreur(s) d'assemblage"},
     {"douze.s:2: *", "douze.s:3: *", "douze.s:4: *", "douze.s:5: *", "douze.s:6: *",
      "douze.s:7: *", "douze.s:8: *", "douze.s:9: *", "douze.s:10: *", "douze.s:11: *",
      "... et au moins 2 autres"}},
    {"un .s qui contient un fichier binaire n'est jamais charge comme tel",
     "binaire.s",
     FICHIER_PROGRAMME,
     false,
     {"assemblage de \"@\"", "binaire.s:1: *", "binaire.s: avertissement: *",
      "rien n'est charge: 1 erreur(s) d'assemblage"},
     {"binaire.s:1: *"}},
    {"le suffixe .S en majuscule est un source aussi",
     "PROG.S",
     PROGRAMME,
     true,
     {"assemblage de \"@\"", "c'est parti ..", "adresse de base 0 taille 12", "depart: 0"},
     {}},
    {"un source absent: alerte, rien ne change",
     nullptr,
     "",
     false,
     {"assemblage de \"@\"", "erreur sur fichier ", "fichier introuvable"},
     {"@"}},
    {"un nom en .s.bin est un fichier binaire",
     "prog.s.bin",
     FICHIER_PROGRAMME,
     true,
     {"c'est parti ..", "lecture de \"@\"", "adresse de base 0 taille 12", "depart: 0"},
     {}},
};

// Each expected line against the actual one: "@" is the path, a final "*" makes it a prefix.
void compare_lignes(const std::vector<std::string>& attendu, const std::vector<std::string>& vu,
                    const std::string& chemin, const char* quoi) {
    ASSERT_GE(vu.size(), attendu.size()) << quoi;
    for (size_t i = 0; i < attendu.size(); i++) {
        std::string a = attendu[i];
        size_t arobase = a.find('@');
        if (arobase != std::string::npos) a.replace(arobase, 1, chemin);
        if (!a.empty() && a.back() == '*')
            EXPECT_TRUE(commence_par(vu[i], a.substr(0, a.size() - 1)))
                << quoi << " " << i << ": " << vu[i];
        else
            EXPECT_EQ(vu[i], a) << quoi << " " << i;
    }
}

TEST(Sources, OuvertureDUnSource) {
    dossier_temporaire dossier;
    for (const cas_source& c : cas_sources) {
        SCOPED_TRACE(c.nom);
        std::string chemin =
            c.fichier ? dossier.ecrit(c.fichier, c.contenu) : dossier.chemin("absent.s");
        auto sim = nouveau_simulateur();
        prepare_machine(*sim);
        reponse_modale alerte;
        if (!c.alerte.empty()) repond_a_la_prochaine_modale(alerte);
        capture_erreur trace;
        sim->charge_programme(chemin.c_str());
        std::vector<std::string> l = lignes(trace.fin());
        compare_lignes(c.trace, l, chemin, "console");
        EXPECT_EQ(alerte.vue, !c.alerte.empty());
        if (c.charge) {
            EXPECT_TRUE(programme_en_memoire(*sim));
            EXPECT_EQ(sim->inter.A_value(), 0x33) << "a load resets PC only";
            EXPECT_EQ(sim->session.arrets.count(), 0u) << "another file: no breakpoint left";
            EXPECT_STREQ(sim->point_desa[0]->label(), "-> 0 LOADI 5");
        } else {
            EXPECT_TRUE(machine_inchangee(*sim));
            EXPECT_EQ(l.size(), c.trace.size()) << "nothing after the failure's lines";
        }
        if (c.alerte.empty()) continue;
        std::vector<std::string> a = lignes(alerte.textes);
        ASSERT_FALSE(a.empty());
        // An alert box's labels: its icon's "!", then the message's lines.
        auto debut = std::find_if(a.begin(), a.end(), [](const std::string& t) {
            return t == EN_TETE_ALERTE || t == "Erreur: fichier source illisible";
        });
        ASSERT_NE(debut, a.end()) << alerte.textes;
        std::vector<std::string> message(debut + 1, a.end());
        compare_lignes(c.alerte, message, chemin, "alerte");
        if (c.alerte.back() != "... et au moins 2 autres" && message.size() > c.alerte.size()) {
            EXPECT_EQ(message[c.alerte.size()].find("... et au moins"), std::string::npos);
        }
    }
}

struct cas_etiquettes {
    const char* nom;
    std::string source;
    std::vector<std::pair<std::string, uint16_t>> etiquettes; // all of them
};

const cas_etiquettes cas_des_etiquettes[] = {
    {"les etiquettes, sans les constantes", PROGRAMME, {{"debut", 0}, {"fin", 5}}},
    {"un source sans etiquette n'en laisse aucune", " LOADI 1\n", {}},
    {"ORG deplace les etiquettes",
     " ORG $1000\nici: LOADI 1\nla: B la\n",
     {{"ici", 0x1000}, {"la", 0x1002}}},
};

TEST(Sources, EtiquettesDuSourceCharge) {
    dossier_temporaire dossier;
    for (const cas_etiquettes& c : cas_des_etiquettes) {
        SCOPED_TRACE(c.nom);
        auto sim = nouveau_simulateur();
        sim->session.etiquettes["ancienne"] = 1;
        capture_erreur trace;
        sim->charge_programme(dossier.ecrit("e.s", c.source).c_str());
        trace.fin();
        EXPECT_EQ(sim->session.etiquettes.size(), c.etiquettes.size());
        for (const auto& e : c.etiquettes) {
            auto trouvee = sim->session.etiquettes.find(e.first);
            ASSERT_NE(trouvee, sim->session.etiquettes.end()) << e.first;
            EXPECT_EQ(trouvee->second, e.second) << e.first;
        }
    }
    auto sim = nouveau_simulateur();
    sim->session.etiquettes["ancienne"] = 1;
    capture_erreur trace;
    sim->charge_programme(dossier.ecrit("p.bin", FICHIER_PROGRAMME).c_str());
    trace.fin();
    EXPECT_TRUE(sim->session.etiquettes.empty()) << "a program file has no labels";
}

struct cas_ligne_de_commande {
    const char* nom;
    std::vector<std::string> arguments; // "@" before a name: that file of the folder
    const char* charge;                 // the file the first pass loads; null: none
};

const cas_ligne_de_commande cas_lignes_de_commande[] = {
    {"un source", {"@prog.s"}, "prog.s"},
    {"un binaire", {"@prog.bin"}, "prog.bin"},
    {"le premier qui ne commence pas par -", {"-x", "@prog.bin", "@prog.s"}, "prog.bin"},
    {"la valeur de -automemlink est mise a part",
     {"-automemlink", "@prog.bin", "@prog.s"},
     "prog.s"},
    {"--trace est mis a part", {"--trace=complete", "@prog.s"}, "prog.s"},
    {"les options de la boite a outils aussi",
     {"-geometry", "+5+5", "-notooltips", "@prog.s"},
     "prog.s"},
    {"aucun programme", {"-x", "--y"}, nullptr},
    {"un argument vide ne nomme rien", {"", "@prog.s"}, "prog.s"},
};

TEST(LigneDeCommande, LaPremierePasseOuvreLeProgramme) {
    dossier_temporaire dossier;
    dossier.ecrit("prog.s", PROGRAMME);
    dossier.ecrit("prog.bin", FICHIER_PROGRAMME);
    for (const cas_ligne_de_commande& c : cas_lignes_de_commande) {
        SCOPED_TRACE(c.nom);
        std::vector<std::string> arguments;
        for (const std::string& a : c.arguments)
            arguments.push_back(!a.empty() && a[0] == '@' ? dossier.chemin(a.substr(1)) : a);
        capture_erreur trace;
        auto sim = nouveau_simulateur_file_pleine(arguments);
        sim->memoire.efface(0x7C);
        sim->passe();
        std::vector<std::string> l = lignes(trace.fin());
        if (!c.charge) {
            EXPECT_EQ(compte(l, "depart: 0"), 0);
            EXPECT_EQ(sim->memoire.read_byte(0), 0x7C);
            EXPECT_EQ(sim->dernier_programme, "");
            continue;
        }
        std::string chemin = dossier.chemin(c.charge);
        EXPECT_TRUE(programme_en_memoire(*sim));
        EXPECT_EQ(compte(l, "depart: 0"), 1);
        EXPECT_EQ(compte(l, est_nom_de_source(chemin) ? "assemblage de \"" + chemin + "\""
                                                      : "lecture de \"" + chemin + "\""),
                  1);
        EXPECT_EQ(sim->dernier_programme, chemin) << "what Ctrl+R loads";
        // The next Ctrl+O asks for a file.
        reponse_modale selecteur;
        selecteur.bouton = fl_cancel;
        repond_a_la_prochaine_modale(selecteur);
        capture_erreur apres;
        passe_avec(*sim, sim->SIM->K_OUVRIR);
        EXPECT_EQ(lignes(apres.fin())[0], "chargement abandonne ...");
        EXPECT_EQ(selecteur.titre, "Choisissez un fichier binaire");
    }
}

TEST(LigneDeCommande, ProgrammeAbsent) {
    reponse_modale alerte;
    repond_a_la_prochaine_modale(alerte);
    capture_erreur trace;
    auto sim = nouveau_simulateur_file_pleine({"/nonexistent/quorvel/absent.bin"});
    sim->passe();
    std::vector<std::string> l = lignes(trace.fin());
    EXPECT_TRUE(alerte.vue);
    EXPECT_NE(alerte.textes.find("Erreur: fichier corrompu\nou fichier binaire non attendu.\n"),
              std::string::npos);
    EXPECT_EQ(compte(l, "erreur sur fichier "), 1);
    EXPECT_EQ(sim->encore, 1) << "the window stays";
}

} // namespace

namespace {

// A source is read like a program file: a regular file only, never waiting, at most 16 MiB.
TEST(Sources, SourcesRefuseesSansAttendre) {
    dossier_temporaire d;
    std::string tube = d.chemin("tube.s");
    ASSERT_EQ(mkfifo(tube.c_str(), 0644), 0);
    std::string dossier = d.chemin("dossier.s");
    ASSERT_EQ(mkdir(dossier.c_str(), 0755), 0);
    std::string gros = d.chemin("gros.s");
    ASSERT_EQ(truncate(d.ecrit("gros.s", "").c_str(), 16 * 1024 * 1024 + 1), 0);
    struct cas_refus {
        std::string chemin;
        const char* raison;
    };
    const cas_refus cas[] = {
        {tube, "ce n'est pas un fichier ordinaire"},
        {dossier, "c'est un dossier"},
        {d.chemin("absent.s"), "fichier introuvable"},
        {gros, "trop grand (plus de 16 Mio)"},
    };
    for (const cas_refus& c : cas) {
        SCOPED_TRACE(c.chemin);
        source_assemblee source;
        std::string raison;
        EXPECT_FALSE(assemble_source(c.chemin, source, raison));
        EXPECT_EQ(raison, c.raison);
    }
}

} // namespace
