#include "ligne_commande.h"

#include <iostream>
#include <regex>

namespace {

// CLI11's English messages (version 2.1) and their French forms, "$1"... being the parts in
// parentheses. The first that matches the whole message is used.
struct traduction {
    const char* anglais;
    const char* francais;
};

const traduction TRADUCTIONS[] = {
    {"(.+): [0-9]+ required .* missing", "valeur manquante apres $1"},
    {"(.+): At Most ([0-9]+) required but received ([0-9]+)",
     "$1 attend au plus $2 valeur(s), recu $3"},
    {"(.+): At least ([0-9]+) required but received ([0-9]+)",
     "$1 attend au moins $2 valeur(s), recu $3"},
    {"Expected exactly ([0-9]+) arguments to (.+), got ([0-9]+)",
     "$2 attend exactement $1 valeur(s), recu $3"},
    {"Expected at least ([0-9]+) arguments to (.+), got ([0-9]+)",
     "$2 attend au moins $1 valeur(s), recu $3"},
    {"(.+): too many inputs for a flag", "$1 ne prend pas de valeur"},
    // This message names a flag without its dashes; the tools' flags are all long ones.
    {"(.+) was given a disallowed flag override", "--$1 ne prend pas de valeur"},
    {"(.+): Should be true/false or a number", "$1: vrai, faux ou un nombre attendu"},
    {"Could not convert: (.+) = (.*)", "valeur invalide pour $1: $2"},
    {"The value (.*) is not an allowed value for (.+)", "valeur non permise pour $2: $1"},
    {"A subcommand", "sous-commande manquante"},
    {"Exactly 1 option from \\[(.*)\\]", "une option parmi [$1] est obligatoire"},
    {"At least 1 option from \\[(.*)\\]", "au moins une option parmi [$1] est obligatoire"},
    {"(.+) is required", "argument obligatoire manquant: $1"},
    {"(.+) requires (.+)", "$1 demande aussi $2"},
    {"(.+) excludes (.+)", "$1 et $2 s'excluent"},
};

// The headings and type names of CLI11's help text.
const std::pair<const char*, const char*> ETIQUETTES[] = {
    {"Usage", "Utilisation"},   {"Positionals", "Arguments"},
    {"OPTIONS", "OPTIONS"},     {"REQUIRED", "OBLIGATOIRE"},
    {"TEXT", "TEXTE"},          {"INT", "ENTIER"},
    {"UINT", "ENTIER"},         {"FLOAT", "NOMBRE"},
    {"Needs", "Demande"},       {"Excludes", "Exclut"},
    {"SUBCOMMAND", "COMMANDE"}, {"SUBCOMMANDS", "COMMANDES"},
};

// CLI11's message lists the extra arguments backwards; the app still holds them in order.
std::string arguments_en_trop(const CLI::App& app) {
    std::vector<std::string> restants = app.remaining();
    if (restants.size() > 1) return "arguments inattendus: " + CLI::detail::join(restants, " ");
    std::string argument = restants.empty() ? "" : restants[0];
    bool option = argument.size() > 1 && argument[0] == '-';
    return (option ? "option inconnue: " : "argument inattendu: ") + argument;
}

} // namespace

void francise(CLI::App& app, const std::string& version) {
    for (const auto& etiquette : ETIQUETTES)
        app.get_formatter()->label(etiquette.first, etiquette.second);
    app.set_help_flag("-h,--help", "affiche cette aide");
    if (!version.empty()) app.set_version_flag("--version", version, "affiche la version");
}

std::string message_francais(const CLI::ParseError& erreur, const CLI::App& app) {
    if (dynamic_cast<const CLI::ExtrasError*>(&erreur) != nullptr) return arguments_en_trop(app);
    std::string anglais = erreur.what();
    if (dynamic_cast<const CLI::ValidationError*>(&erreur) != nullptr) return anglais;
    for (const traduction& t : TRADUCTIONS) {
        std::regex motif(t.anglais);
        if (std::regex_match(anglais, motif)) return std::regex_replace(anglais, motif, t.francais);
    }
    return "ligne de commande invalide";
}

resultat_analyse analyse_ligne_commande(CLI::App& app, int argc, const char* const* argv) {
    resultat_analyse resultat;
    try {
        app.parse(argc, argv);
        return resultat;
    } catch (const CLI::CallForHelp&) {
        resultat.sortie = app.help();
    } catch (const CLI::CallForAllHelp&) {
        resultat.sortie = app.help("", CLI::AppFormatMode::All);
    } catch (const CLI::CallForVersion& version) {
        resultat.sortie = std::string(version.what()) + "\n";
    } catch (const CLI::ParseError& erreur) {
        resultat.code = SORTIE_USAGE;
        resultat.erreur = app.get_name() + ": " + message_francais(erreur, app) + "\n" +
                          "Pour l'aide: " + app.get_name() + " --help\n";
    }
    resultat.continuer = false;
    return resultat;
}

int lit_ligne_commande(CLI::App& app, int argc, const char* const* argv) {
    resultat_analyse resultat = analyse_ligne_commande(app, argc, argv);
    if (resultat.continuer) return -1;
    std::cout << resultat.sortie << std::flush;
    std::cerr << resultat.erreur << std::flush;
    return resultat.code;
}
