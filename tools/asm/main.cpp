// quorvel-asm: assembles a source of the accumulator machine into a program file that the
// simulator's "Ouvrir fichier binaire" loads.
#include "assembleur.h"
#include "console.h"
#include "sorties_fichiers.h"
#include "fichiers.h"
#include "ligne_commande.h"
#include "sortie.h"

#include <exception>
#include <new>

namespace {

constexpr int SORTIE_ERREUR = 1;

struct options {
    std::string source;
    std::string programme;
    std::string listing;
};

// The program file goes next to the source unless -o names it: prog.s gives prog.bin.
std::string nom_programme(const std::string& source) {
    size_t point = source.rfind('.');
    size_t barre = source.rfind('/');
    if (point == std::string::npos || (barre != std::string::npos && point < barre))
        return source + ".bin";
    return source.substr(0, point) + ".bin";
}

void decrit(CLI::App& app, options& o) {
    francise(app, "quorvel-asm " QUORVEL_VERSION);
    app.add_option("SOURCE", o.source, "la source a assembler, ou - pour l'entree standard")
        ->required()
        ->type_name("");
    app.add_option("-o", o.programme,
                   "le fichier programme (par defaut la source avec l'extension .bin)")
        ->type_name("PROGRAMME.bin")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.add_option("-l", o.listing, "ecrit aussi un listing: adresses, octets, source, symboles")
        ->type_name("LISTING.txt")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.footer("Les erreurs sont ecrites sur la sortie d'erreur, SOURCE:LIGNE: message; apres une\n"
               "erreur, aucun fichier n'est ecrit ni remplace. Code de sortie: 0 en cas de\n"
               "succes, 1 pour une erreur de la source ou d'un fichier, 2 pour une erreur de la\n"
               "ligne de commande.");
}

bool usage(const std::string& message) {
    console_ligne("quorvel-asm: " + message);
    return false;
}

// Outputs that would overwrite the source, or each other, are refused before anything is read.
bool verifie_sorties(options& o) {
    if (o.programme.empty()) {
        if (o.source == "-")
            return usage("-o est obligatoire quand la source est l'entree standard");
        o.programme = nom_programme(o.source);
    }
    if (meme_fichier(o.programme, o.source))
        return usage("le programme " + o.programme + " et la source " + o.source +
                     " sont le meme fichier");
    if (o.listing.empty()) return true;
    if (meme_fichier(o.listing, o.source))
        return usage("le listing " + o.listing + " et la source " + o.source +
                     " sont le meme fichier");
    if (meme_fichier(o.listing, o.programme))
        return usage("le listing " + o.listing + " et le programme " + o.programme +
                     " sont le meme fichier");
    return true;
}

// Every output is written aside first, so that none replaces an old one unless all could be.
bool ecrit_sorties(const options& o, const programme_asm& programme) {
    std::vector<uint8_t> octets = fichier_programme(programme);
    std::vector<sortie_fichier> sorties(1);
    sorties[0].chemin = o.programme;
    sorties[0].contenu.assign(octets.begin(), octets.end());
    if (!o.listing.empty()) {
        sorties.emplace_back();
        sorties.back().chemin = o.listing;
        sorties.back().contenu = texte_listing(programme);
    }
    std::string erreur;
    if (prepare_sorties(sorties, erreur) && installe_sorties(sorties, erreur)) return true;
    console_ligne("quorvel-asm: impossible d'ecrire " + erreur);
    return false;
}

int assemble_fichier(const options& o) {
    std::string source;
    std::string raison;
    if (!lit_entree(o.source, source, raison)) {
        console_ligne("quorvel-asm: impossible de lire " + o.source + ": " + raison);
        return SORTIE_ERREUR;
    }
    programme_asm programme = assemble(source);
    for (const diagnostic_asm& diagnostic : programme.diagnostics)
        console_ligne(texte_diagnostic(o.source, diagnostic));
    if (programme.nb_erreurs > 0) return SORTIE_ERREUR;
    return ecrit_sorties(o, programme) ? 0 : SORTIE_ERREUR;
}

int execute(int argc, char** argv) {
    CLI::App app("Assemble une source en un fichier programme pour le simulateur quorvel.",
                 "quorvel-asm");
    options o;
    decrit(app, o);
    int code = lit_ligne_commande(app, argc, argv);
    if (code >= 0) return code;
    if (!verifie_sorties(o)) return SORTIE_USAGE;
    return assemble_fichier(o);
}

} // namespace

// Whatever goes wrong, the user gets a message and status 1, never an abort.
int main(int argc, char** argv) {
    try {
        return execute(argc, argv);
    } catch (const std::bad_alloc&) {
        console_ligne("quorvel-asm: memoire insuffisante");
    } catch (const std::exception& e) {
        console_ligne(std::string("quorvel-asm: erreur interne: ") + e.what());
    }
    return SORTIE_ERREUR;
}
