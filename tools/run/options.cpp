#include "options.h"

#include "ligne_commande.h"
#include "sortie_run.h"
#include "valeurs_options.h"

#include <CLI/App.hpp>
#include <CLI/Config.hpp>
#include <CLI/Formatter.hpp>

#include <unistd.h>

namespace {

const char* const AIDE =
    "usage: quorvel-run PROGRAMME [options]\n"
    "       quorvel-run --cas EXERCICE.toml COPIE... [-j N] [--rapport NOTES.csv]\n"
    "                   [--junit RESULTATS.xml]\n"
    "\n"
    "Execute sans fenetre un programme de la machine a accumulateur, avec les regles du\n"
    "simulateur, ou corrige des copies d'eleves selon les cas d'un exercice.\n"
    "PROGRAMME: un fichier binaire, une source (.s, assemblee en memoire) ou - (l'entree\n"
    "standard, lue comme une source si c'est du texte).\n"
    "\n"
    "Execution:\n"
    "  -n, --pas N             au plus N instructions (1000000 par defaut)\n"
    "  --jusqua ADR            arret quand PC vaut ADR apres un pas (repetable; avec un .s,\n"
    "                          une etiquette)\n"
    "  --registre R=V          valeur de depart de A, X ou PC (repetable)\n"
    "  --memoire ADR=V[,V...]  octets ecrits avant l'execution (repetable)\n"
    "  --port P=V              bits d'entree du port A ou B au depart (repetable)\n"
    "  --entree K:P=V          apres le pas K, les bits d'entree du port P valent V (repetable)\n"
    "  --dump ADR[:LONGUEUR]   memoire affichee a la fin (8 octets par defaut; repetable)\n"
    "  --trace                 une ligne par instruction sur la sortie d'erreur\n"
    "  --trace-fichier F       la meme trace dans le fichier F\n"
    "  --console               laisse passer la console de la machine (sortie d'erreur)\n"
    "  --json                  l'etat final en JSON sur la sortie standard\n"
    "\n"
    "Correction:\n"
    "  --cas EXERCICE.toml     chaque COPIE (.s ou binaire) passe chaque cas de l'exercice\n"
    "  -j N                    N copies a la fois (par defaut: une par coeur)\n"
    "  --rapport NOTES.csv     les notes en CSV\n"
    "  --junit RESULTATS.xml   les resultats au format JUnit\n"
    "\n"
    "  -h, --help              cette aide\n"
    "  --version               la version\n"
    "\n"
    "Nombres: decimal, ou hexadecimal apres 0x ou $ (0x1000).\n"
    "Statut de sortie: 0 arret \"boucle\" ou \"adresse\", 3 \"budget\" epuise, 1 programme\n"
    "illisible ou erreurs d'assemblage, 2 erreur d'usage; avec --cas, 0 si tous les cas\n"
    "reussissent, 4 sinon.\n";

// The option texts, before their values are read.
struct textes_options {
    std::string pas, taches;
    std::vector<std::string> jusqua, registres, memoire, ports, entrees, vidages;
};

template <typename T>
bool lit_tous(const std::vector<std::string>& textes, std::vector<T>& valeurs,
              bool (*lit)(const std::string&, T&, std::string&), std::string& erreur) {
    for (const std::string& texte : textes) {
        T valeur;
        if (!lit(texte, valeur, erreur)) return false;
        valeurs.push_back(valeur);
    }
    return true;
}

bool lit_valeurs(const CLI::App& app, const textes_options& t, options_run& o,
                 std::string& erreur) {
    if (app.count("--pas") > 0 && !lit_budget(t.pas, o.deroulement.budget, erreur)) return false;
    for (const std::string& texte : t.jusqua) {
        cible_arret c;
        if (!lit_cible("--jusqua", texte, c, erreur)) return false;
        o.jusqua.push_back(c);
    }
    if (app.count("-j") > 0) {
        uint64_t n;
        if (!lit_valeur("-j", t.taches, 1024, n, erreur)) return false;
        if (n == 0) {
            erreur = "-j: il faut au moins une tache";
            return false;
        }
        o.taches = static_cast<unsigned>(n);
    }
    return lit_tous(t.registres, o.depart.registres, lit_registre, erreur) &&
           lit_tous(t.memoire, o.depart.memoire, lit_memoire, erreur) &&
           lit_tous(t.ports, o.depart.ports, lit_port, erreur) &&
           lit_tous(t.entrees, o.deroulement.entrees, lit_entree, erreur) &&
           lit_tous(t.vidages, o.vidages, lit_vidage, erreur);
}

// Options of a single run mean nothing to grading, and the other way round.
bool verifie_mode(const CLI::App& app, const options_run& o, std::string& erreur) {
    const std::pair<const char*, const std::string*> fichiers[] = {
        {"--trace-fichier", &o.trace_fichier},
        {"--cas", &o.cas},
        {"--rapport", &o.rapport},
        {"--junit", &o.junit}};
    for (const auto& [nom, fichier] : fichiers)
        if (app.count(nom) > 0 && fichier->empty()) {
            erreur = std::string(nom) + ": nom de fichier vide";
            return false;
        }
    bool correction = app.count("--cas") > 0;
    const char* const d_execution[] = {"--pas",           "--jusqua",  "--registre", "--memoire",
                                       "--port",          "--entree",  "--dump",     "--trace",
                                       "--trace-fichier", "--console", "--json"};
    const char* const de_correction[] = {"-j", "--rapport", "--junit"};
    if (correction) {
        for (const char* nom : d_execution)
            if (app.count(nom) > 0) {
                erreur = std::string(nom) + " ne s'emploie pas avec --cas";
                return false;
            }
        if (o.fichiers.empty()) {
            erreur = "--cas: aucune COPIE a corriger";
            return false;
        }
        return true;
    }
    for (const char* nom : de_correction)
        if (app.count(nom) > 0) {
            erreur = std::string(nom) + " ne s'emploie qu'avec --cas";
            return false;
        }
    if (o.trace && app.count("--trace-fichier") > 0) {
        erreur = "--trace et --trace-fichier ne vont pas ensemble";
        return false;
    }
    if (o.fichiers.size() != 1) {
        erreur = o.fichiers.empty() ? "PROGRAMME manquant" : "un seul PROGRAMME a la fois";
        return false;
    }
    return true;
}

} // namespace

int erreur_usage(const std::string& message) {
    ecrit_sortie(2, "quorvel-run: " + message + "\nEssayez \"quorvel-run --help\".\n");
    return SORTIE_USAGE;
}

int lit_options(int argc, char** argv, options_run& o) {
    CLI::App app("", "quorvel-run");
    app.set_help_flag("-h,--help");
    app.set_version_flag("--version", "quorvel-run " QUORVEL_VERSION);
    textes_options t;
    app.add_option("fichiers", o.fichiers);
    app.add_option("-n,--pas", t.pas);
    app.add_option("--jusqua", t.jusqua)->allow_extra_args(false);
    app.add_option("--registre", t.registres)->allow_extra_args(false);
    app.add_option("--memoire", t.memoire)->allow_extra_args(false);
    app.add_option("--port", t.ports)->allow_extra_args(false);
    app.add_option("--entree", t.entrees)->allow_extra_args(false);
    app.add_option("--dump", t.vidages)->allow_extra_args(false);
    app.add_flag("--trace", o.trace)->disable_flag_override();
    app.add_option("--trace-fichier", o.trace_fichier);
    app.add_flag("--console", o.console)->disable_flag_override();
    app.add_flag("--json", o.json)->disable_flag_override();
    app.add_option("--cas", o.cas);
    app.add_option("-j", t.taches);
    app.add_option("--rapport", o.rapport);
    app.add_option("--junit", o.junit);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        ecrit_sortie(1, AIDE);
        return 0;
    } catch (const CLI::CallForVersion& version) {
        ecrit_sortie(1, std::string(version.what()) + "\n");
        return 0;
    } catch (const CLI::ParseError& erreur) {
        return erreur_usage(message_francais(erreur, app));
    }
    o.correction = app.count("--cas") > 0;
    std::string erreur;
    if (!verifie_mode(app, o, erreur) || !lit_valeurs(app, t, o, erreur))
        return erreur_usage(erreur);
    return CONTINUE;
}
