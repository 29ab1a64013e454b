#include "cli11_francais.h"

namespace {

bool contient(const std::string& texte, const char* morceau) {
    return texte.find(morceau) != std::string::npos;
}

// CLI11's messages start with the option's name, "--pas: ..." or "trace was given ...".
std::string option_nommee(const std::string& texte) {
    size_t fin = texte.find_first_of(": ");
    std::string nom = texte.substr(0, fin);
    if (!nom.empty() && nom[0] != '-') nom = (nom.size() == 1 ? "-" : "--") + nom;
    return nom;
}

std::string apres_deux_points(const std::string& texte) {
    size_t debut = texte.find(": ");
    return debut == std::string::npos ? texte : texte.substr(debut + 2);
}

} // namespace

std::string message_cli11(const CLI::ParseError& erreur) {
    std::string texte = erreur.what();
    if (dynamic_cast<const CLI::ExtrasError*>(&erreur))
        return "option inconnue: " + apres_deux_points(texte);
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&erreur)) {
        std::string option = option_nommee(texte);
        if (contient(texte, "flag override"))
            return option + ": cette option ne prend pas de valeur";
        if (contient(texte, "At Most")) return option + ": donnee plusieurs fois";
        return option + ": valeur manquante";
    }
    if (dynamic_cast<const CLI::RequiredError*>(&erreur))
        return texte.substr(0, texte.find(" is required")) + ": manquant";
    if (dynamic_cast<const CLI::ExcludesError*>(&erreur)) {
        size_t milieu = texte.find(" excludes ");
        if (milieu == std::string::npos) return "options incompatibles";
        return texte.substr(0, milieu) + " et " + texte.substr(milieu + 10) +
               " ne vont pas ensemble";
    }
    return "ligne de commande invalide";
}
