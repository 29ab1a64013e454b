// quorvel-asm: assembles a source of the accumulator machine into a program file that the
// simulator's "Ouvrir fichier binaire" loads.
#include "assembleur.h"
#include "console.h"
#include "fichiers.h"
#include "sortie.h"

#include <cstring>
#include <iostream>

namespace {

const char* const USAGE = "usage: quorvel-asm SOURCE.s [-o PROGRAMME.bin] [-l LISTING.txt]";

constexpr int SORTIE_ERREUR = 1;
constexpr int SORTIE_USAGE = 2;

struct options {
    std::string source;
    std::string programme;
    std::string listing;
    bool aide = false;
};

// The program file goes next to the source unless -o names it: prog.s gives prog.bin.
std::string nom_programme(const std::string& source) {
    size_t point = source.rfind('.');
    size_t barre = source.rfind('/');
    if (point == std::string::npos || (barre != std::string::npos && point < barre))
        return source + ".bin";
    return source.substr(0, point) + ".bin";
}

bool lit_options(int argc, char** argv, options& o) {
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (std::strcmp(argument, "-h") == 0 || std::strcmp(argument, "--help") == 0) {
            o.aide = true;
        } else if (std::strcmp(argument, "-o") == 0 || std::strcmp(argument, "-l") == 0) {
            if (i + 1 == argc) return false;
            (argument[1] == 'o' ? o.programme : o.listing) = argv[++i];
        } else if (argument[0] == '-' || !o.source.empty()) {
            return false;
        } else {
            o.source = argument;
        }
    }
    if (o.source.empty()) return o.aide;
    if (o.programme.empty()) o.programme = nom_programme(o.source);
    return true;
}

// Both files are written aside first, so that neither replaces an old one unless both could be
// written.
bool ecrit_sorties(const options& o, const programme_asm& programme) {
    std::vector<uint8_t> octets = fichier_programme(programme);
    std::vector<std::pair<std::string, std::string>> sorties = {
        {o.programme, std::string(octets.begin(), octets.end())}};
    if (!o.listing.empty()) sorties.push_back({o.listing, texte_listing(programme)});
    std::vector<fichier_prepare> prepares;
    std::string erreur;
    for (const auto& sortie : sorties) {
        fichier_prepare fichier;
        if (!prepare_fichier(sortie.first, sortie.second, fichier, erreur)) {
            for (const fichier_prepare& f : prepares) abandonne_fichier(f);
            console_ligne("quorvel-asm: impossible d'ecrire " + sortie.first + ": " + erreur);
            return false;
        }
        prepares.push_back(fichier);
    }
    for (const fichier_prepare& fichier : prepares) {
        if (!installe_fichier(fichier, erreur)) {
            console_ligne("quorvel-asm: impossible d'ecrire " + fichier.chemin + ": " + erreur);
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    options o;
    if (!lit_options(argc, argv, o)) {
        console_ligne(USAGE);
        return SORTIE_USAGE;
    }
    if (o.aide) {
        // Asked for: the one text that goes to standard output.
        std::cout << USAGE
                  << "\nAssemble SOURCE.s en un fichier binaire pour le simulateur quorvel."
                  << std::endl;
        return 0;
    }
    std::string source;
    if (!lit_fichier(o.source, source)) {
        console_ligne("quorvel-asm: impossible de lire " + o.source);
        return SORTIE_ERREUR;
    }
    programme_asm programme = assemble(source);
    for (const diagnostic_asm& diagnostic : programme.diagnostics)
        console_ligne(texte_diagnostic(o.source, diagnostic));
    if (programme.nb_erreurs > 0) return SORTIE_ERREUR;
    return ecrit_sorties(o, programme) ? 0 : SORTIE_ERREUR;
}
