#include "valeurs_options.h"

#include "machine.h"
#include "nombres.h"
#include "nombres_run.h"

namespace {

// "NOM=VALEUR": false when there is no "=" or one side is empty.
bool coupe(const std::string& texte, char separateur, std::string& gauche, std::string& droite) {
    size_t position = texte.find(separateur);
    if (position == std::string::npos || position == 0 || position + 1 == texte.size())
        return false;
    gauche = texte.substr(0, position);
    droite = texte.substr(position + 1);
    return true;
}

bool forme(const std::string& option, const char* attendue, std::string& erreur) {
    erreur = option + ": attendu " + attendue;
    return false;
}

} // namespace

bool lit_valeur(const std::string& quoi, const std::string& texte, uint64_t maximum,
                uint64_t& valeur, std::string& erreur) {
    lecture_nombre lecture = lit_nombre_run(texte, maximum, valeur);
    if (lecture == NOMBRE_LU) return true;
    erreur = message_nombre(quoi, texte, lecture, maximum);
    return false;
}

bool lit_budget(const std::string& texte, uint64_t& budget, std::string& erreur) {
    if (!lit_valeur("--pas", texte, BUDGET_MAX, budget, erreur)) return false;
    if (budget > 0) return true;
    erreur = "--pas: il faut au moins une instruction";
    return false;
}

bool lit_registre(const std::string& texte, valeur_registre& r, std::string& erreur) {
    std::string nom, valeur;
    if (!coupe(texte, '=', nom, valeur)) return forme("--registre", "R=V (A, X ou PC)", erreur);
    nom = majuscules(nom);
    if (nom == "A")
        r.registre = REGISTRE_A;
    else if (nom == "X")
        r.registre = REGISTRE_X;
    else if (nom == "PC")
        r.registre = REGISTRE_PC;
    else {
        erreur = "--registre: registre inconnu \"" + nom + "\" (A, X ou PC)";
        return false;
    }
    uint64_t v;
    if (!lit_valeur("--registre " + nom, valeur, maximum_registre(r.registre), v, erreur))
        return false;
    r.valeur = static_cast<uint16_t>(v);
    return true;
}

bool lit_memoire(const std::string& texte, bloc_memoire& b, std::string& erreur) {
    std::string adresse, octets;
    if (!coupe(texte, '=', adresse, octets)) return forme("--memoire", "ADR=V[,V...]", erreur);
    uint64_t v;
    if (!lit_valeur("--memoire", adresse, 0xFFFF, v, erreur)) return false;
    b.adresse = static_cast<uint16_t>(v);
    b.octets.clear();
    size_t debut = 0;
    for (;;) {
        size_t virgule = octets.find(',', debut);
        std::string octet = octets.substr(debut, virgule - debut);
        if (!lit_valeur("--memoire", octet, 0xFF, v, erreur)) return false;
        b.octets.push_back(static_cast<uint8_t>(v));
        if (virgule == std::string::npos) return true;
        debut = virgule + 1;
    }
}

int port_d_entree(const std::string& lettre, std::string& raison) {
    int port = lettre.size() == 1 ? port_par_lettre(lettre[0]) : -1;
    if (port < 0) {
        raison = "port inconnu \"" + lettre + "\" (A ou B)";
        return -1;
    }
    if (masque_entrees(port) == 0) {
        raison = std::string("le port ") + configuration_ports[port].lettre + " n'a pas d'entree";
        return -1;
    }
    return port;
}

bool lit_port(const std::string& texte, valeur_port& p, std::string& erreur) {
    std::string lettre, valeur;
    if (!coupe(texte, '=', lettre, valeur)) return forme("--port", "P=V (A ou B)", erreur);
    p.port = port_d_entree(lettre, erreur);
    if (p.port < 0) erreur = "--port: " + erreur;
    uint64_t v;
    if (p.port < 0 || !lit_valeur("--port", valeur, 0xFF, v, erreur)) return false;
    p.valeur = static_cast<uint8_t>(v);
    return true;
}

bool lit_entree(const std::string& texte, entree_pas& e, std::string& erreur) {
    std::string pas, reste, lettre, valeur;
    if (!coupe(texte, ':', pas, reste) || !coupe(reste, '=', lettre, valeur))
        return forme("--entree", "K:P=V", erreur);
    uint64_t v;
    if (!lit_valeur("--entree", pas, BUDGET_MAX, e.pas, erreur)) return false;
    if (e.pas == 0) {
        erreur = "--entree: les pas se comptent a partir de 1";
        return false;
    }
    e.port = port_d_entree(lettre, erreur);
    if (e.port < 0) erreur = "--entree: " + erreur;
    if (e.port < 0 || !lit_valeur("--entree", valeur, 0xFF, v, erreur)) return false;
    e.valeur = static_cast<uint8_t>(v);
    return true;
}

bool lit_vidage(const std::string& texte, vidage& v, std::string& erreur) {
    std::string adresse = texte, longueur;
    size_t deux_points = texte.find(':');
    if (deux_points != std::string::npos) {
        adresse = texte.substr(0, deux_points);
        longueur = texte.substr(deux_points + 1);
    }
    uint64_t n;
    if (!lit_valeur("--dump", adresse, 0xFFFF, n, erreur)) return false;
    v.adresse = static_cast<uint16_t>(n);
    v.longueur = LONGUEUR_VIDAGE_DEFAUT;
    if (deux_points == std::string::npos) return true;
    if (!lit_valeur("--dump", longueur, 0x10000, n, erreur)) return false;
    if (n == 0) {
        erreur = "--dump: une longueur de 0 n'affiche rien";
        return false;
    }
    v.longueur = static_cast<uint32_t>(n);
    return true;
}

bool lit_cible(const std::string& quoi, const std::string& texte, cible_arret& c,
               std::string& erreur) {
    c = cible_arret();
    if (est_identificateur(texte)) {
        c.etiquette = texte;
        return true;
    }
    uint64_t v;
    if (!lit_valeur(quoi, texte, 0xFFFF, v, erreur)) {
        if (!commence_comme_nombre(texte))
            erreur = quoi + ": \"" + texte + "\" n'est ni une adresse ni une etiquette";
        return false;
    }
    c.adresse = static_cast<uint16_t>(v);
    return true;
}
