#include "cas.h"

#include "machine.h"
#include "nombres.h"
#include "stringpp.h"
#include "valeurs_options.h"

#include <toml++/toml.h>

#include <algorithm>
#include <initializer_list>
#include <map>

namespace {

// Walks the parsed file and keeps every fault with its line and key.
class lecteur {
  public:
    explicit lecteur(const std::string& fichier) : fichier(fichier) {}

    // The faults in the order of the file's lines.
    void rend_erreurs(std::vector<std::string>& sortie) {
        std::stable_sort(erreurs.begin(), erreurs.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& e : erreurs) sortie.push_back(e.second);
    }

    void erreur(const toml::node& ou, const std::string& cle, const std::string& message) {
        erreur(static_cast<int>(ou.source().begin.line), cle, message);
    }
    void erreur(int ligne, const std::string& cle, const std::string& message) {
        erreurs.emplace_back(ligne,
                             fichier + ":" + std::to_string(ligne) + ": " + cle + ": " + message);
    }

    // A key that the table may not hold is a fault (a typing error would go unnoticed).
    void cles_connues(const toml::table& t, const std::string& chemin,
                      std::initializer_list<const char*> cles) {
        for (auto&& [cle, valeur] : t) {
            bool connue = false;
            for (const char* c : cles) connue = connue || cle.str() == c;
            if (!connue)
                erreur(static_cast<int>(cle.source().begin.line),
                       (chemin.empty() ? "" : chemin + ".") + std::string(cle.str()),
                       "cle inconnue");
        }
    }

    bool entier(const toml::node& n, const std::string& cle, uint64_t minimum, uint64_t maximum,
                uint64_t& valeur) {
        const toml::value<int64_t>* v = n.as_integer();
        if (!v) {
            erreur(n, cle, "un entier est attendu");
            return false;
        }
        int64_t lu = v->get();
        if (lu < 0 || static_cast<uint64_t>(lu) < minimum || static_cast<uint64_t>(lu) > maximum) {
            erreur(n, cle,
                   "valeur " + std::to_string(lu) + " hors limites (" + std::to_string(minimum) +
                       " a " + std::to_string(maximum) + ")");
            return false;
        }
        valeur = static_cast<uint64_t>(lu);
        return true;
    }

    bool texte(const toml::node& n, const std::string& cle, std::string& valeur) {
        const toml::value<std::string>* v = n.as_string();
        if (!v) {
            erreur(n, cle, "un texte entre guillemets est attendu");
            return false;
        }
        valeur = v->get();
        return true;
    }

    const toml::table* table(const toml::node& n, const std::string& cle) {
        const toml::table* t = n.as_table();
        if (!t) erreur(n, cle, "une table est attendue ({ ... })");
        return t;
    }

    const toml::array* tableau(const toml::node& n, const std::string& cle) {
        const toml::array* a = n.as_array();
        if (!a) erreur(n, cle, "un tableau est attendu ([ ... ])");
        return a;
    }

    void registres(const toml::table& t, const std::string& chemin, bool avec_ccr,
                   std::vector<valeur_registre>& valeurs);
    void memoire(const toml::node& n, const std::string& chemin, std::vector<bloc_memoire>& blocs);
    // Input bits (start, inputs during the run): only on a port's input bits.
    bool octet_d_entree(const toml::node& n, const std::string& cle, int port, uint8_t& valeur);
    void ports(const toml::table& t, const std::string& chemin, bool entrees,
               std::vector<valeur_port>& valeurs);
    void entrees(const toml::node& n, const std::string& chemin, deroulement_run& d);
    void jusqua(const toml::node& n, const std::string& chemin, std::vector<cible_cas>& cibles);
    void attendu(const toml::table& t, const std::string& chemin, attendu_cas& a);
    void cas(const toml::table& t, const std::string& chemin, uint64_t pas_max, cas_exercice& c);

  private:
    std::string fichier;
    std::vector<std::pair<int, std::string>> erreurs;
};

const registre_run tous_registres[] = {REGISTRE_A, REGISTRE_X, REGISTRE_PC, REGISTRE_CCR};

void lecteur::registres(const toml::table& t, const std::string& chemin, bool avec_ccr,
                        std::vector<valeur_registre>& valeurs) {
    if (avec_ccr)
        cles_connues(t, chemin, {"A", "X", "PC", "CCR"});
    else
        cles_connues(t, chemin, {"A", "X", "PC"});
    for (registre_run r : tous_registres) {
        const toml::node* n = t.get(nom_registre(r));
        uint64_t v;
        if (n && (avec_ccr || r != REGISTRE_CCR) &&
            entier(*n, chemin + "." + nom_registre(r), 0, maximum_registre(r), v))
            valeurs.push_back({r, static_cast<uint16_t>(v)});
    }
}

void lecteur::memoire(const toml::node& n, const std::string& chemin,
                      std::vector<bloc_memoire>& blocs) {
    const toml::array* a = tableau(n, chemin);
    for (size_t i = 0; a && i < a->size(); ++i) {
        std::string cle = chemin + "[" + std::to_string(i + 1) + "]";
        const toml::table* t = table(*a->get(i), cle);
        if (!t) continue;
        cles_connues(*t, cle, {"adresse", "octets"});
        bloc_memoire b;
        uint64_t v = 0;
        const toml::node* adresse = t->get("adresse");
        const toml::node* octets = t->get("octets");
        if (!adresse) erreur(*t, cle + ".adresse", "manquante");
        if (!octets) erreur(*t, cle + ".octets", "manquants");
        bool bon = adresse && entier(*adresse, cle + ".adresse", 0, 0xFFFF, v);
        if (bon) b.adresse = static_cast<uint16_t>(v);
        const toml::array* liste = octets ? tableau(*octets, cle + ".octets") : nullptr;
        if (liste && liste->empty()) erreur(*octets, cle + ".octets", "aucun octet");
        for (size_t j = 0; liste && j < liste->size(); ++j) {
            std::string cle_octet = cle + ".octets[" + std::to_string(j + 1) + "]";
            bool octet = entier(*liste->get(j), cle_octet, 0, 0xFF, v);
            bon = bon && octet;
            b.octets.push_back(static_cast<uint8_t>(v));
        }
        if (bon && liste && !liste->empty()) blocs.push_back(b);
    }
}

bool lecteur::octet_d_entree(const toml::node& n, const std::string& cle, int port,
                             uint8_t& valeur) {
    uint64_t v;
    if (!entier(n, cle, 0, 0xFF, v)) return false;
    uint8_t entrees = masque_entrees(port);
    if (v & ~uint64_t(entrees)) {
        erreur(n, cle,
               "une entree sur un bit de sortie (entrees du port " +
                   std::string(1, configuration_ports[port].lettre) + ": " + bin8toS(entrees) +
                   ")");
        return false;
    }
    valeur = static_cast<uint8_t>(v);
    return true;
}

void lecteur::ports(const toml::table& t, const std::string& chemin, bool entrees,
                    std::vector<valeur_port>& valeurs) {
    cles_connues(t, chemin, {"A", "B", "C"});
    for (int p = 0; p < NB_PORTS; ++p) {
        std::string lettre(1, configuration_ports[p].lettre);
        const toml::node* n = t.get(lettre);
        if (!n) continue;
        std::string cle = chemin + "." + lettre;
        uint64_t v;
        uint8_t octet;
        if (!entrees && entier(*n, cle, 0, 0xFF, v))
            valeurs.push_back({p, static_cast<uint8_t>(v)});
        else if (entrees && masque_entrees(p) == 0)
            erreur(*n, cle, "le port " + lettre + " n'a pas d'entree");
        else if (entrees && octet_d_entree(*n, cle, p, octet))
            valeurs.push_back({p, octet});
    }
}

void lecteur::entrees(const toml::node& n, const std::string& chemin, deroulement_run& d) {
    const toml::array* a = tableau(n, chemin);
    for (size_t i = 0; a && i < a->size(); ++i) {
        std::string cle = chemin + "[" + std::to_string(i + 1) + "]";
        const toml::table* t = table(*a->get(i), cle);
        if (!t) continue;
        cles_connues(*t, cle, {"pas", "port", "valeur"});
        const toml::node* pas = t->get("pas");
        const toml::node* port = t->get("port");
        const toml::node* valeur = t->get("valeur");
        if (!pas) erreur(*t, cle + ".pas", "manquant");
        if (!port) erreur(*t, cle + ".port", "manquant");
        if (!valeur) erreur(*t, cle + ".valeur", "manquante");
        entree_pas e;
        bool bon = pas && entier(*pas, cle + ".pas", 1, d.budget, e.pas);
        std::string lettre, raison;
        e.port = port && texte(*port, cle + ".port", lettre) ? port_d_entree(lettre, raison) : -1;
        if (port && !raison.empty()) erreur(*port, cle + ".port", raison);
        // The value is checked against the port's input bits, so only once the port is known.
        if (e.port >= 0 && valeur && octet_d_entree(*valeur, cle + ".valeur", e.port, e.valeur) &&
            bon)
            d.entrees.push_back(e);
    }
}

void lecteur::jusqua(const toml::node& n, const std::string& chemin,
                     std::vector<cible_cas>& cibles) {
    if (const toml::array* a = n.as_array()) {
        for (size_t i = 0; i < a->size(); ++i)
            jusqua(*a->get(i), chemin + "[" + std::to_string(i + 1) + "]", cibles);
        return;
    }
    cible_cas c;
    c.ligne = static_cast<int>(n.source().begin.line);
    c.cle = chemin;
    uint64_t v;
    std::string nom, message;
    if (n.is_integer()) {
        if (!entier(n, chemin, 0, 0xFFFF, v)) return;
        c.cible.adresse = static_cast<uint16_t>(v);
    } else if (!n.is_string()) {
        erreur(n, chemin, "une adresse ou une etiquette (texte) est attendue");
        return;
    } else if (texte(n, chemin, nom) && !lit_cible(chemin, nom, c.cible, message)) {
        erreur(n, chemin, message.substr(chemin.size() + 2));
        return;
    }
    cibles.push_back(c);
}

const std::map<std::string, arret_execution> arrets = {
    {"adresse", ARRET_ADRESSE}, {"boucle", ARRET_BOUCLE}, {"budget", ARRET_BUDGET}};

void lecteur::attendu(const toml::table& t, const std::string& chemin, attendu_cas& a) {
    cles_connues(t, chemin, {"registres", "ports", "memoire", "arret", "pas_max_utilises"});
    if (const toml::node* n = t.get("registres"))
        if (const toml::table* r = table(*n, chemin + ".registres"))
            registres(*r, chemin + ".registres", true, a.registres);
    if (const toml::node* n = t.get("ports"))
        if (const toml::table* p = table(*n, chemin + ".ports"))
            ports(*p, chemin + ".ports", false, a.ports);
    if (const toml::node* n = t.get("memoire")) memoire(*n, chemin + ".memoire", a.memoire);
    std::string arret;
    if (const toml::node* n = t.get("arret"); n && texte(*n, chemin + ".arret", arret)) {
        auto trouve = arrets.find(arret);
        if (trouve == arrets.end())
            erreur(*n, chemin + ".arret",
                   "\"" + arret + "\" inconnu (\"boucle\", \"adresse\" ou \"budget\")");
        else
            a.arret = trouve->second;
        a.arret_donne = trouve != arrets.end();
    }
    if (const toml::node* n = t.get("pas_max_utilises"))
        a.limite_pas = entier(*n, chemin + ".pas_max_utilises", 1, BUDGET_MAX, a.pas_max_utilises);
}

void lecteur::cas(const toml::table& t, const std::string& chemin, uint64_t pas_max,
                  cas_exercice& c) {
    cles_connues(t, chemin,
                 {"nom", "points", "pas_max", "registres", "memoire", "ports", "entrees", "jusqua",
                  "attendu"});
    if (const toml::node* n = t.get("nom")) {
        if (texte(*n, chemin + ".nom", c.nom) && c.nom.empty())
            erreur(*n, chemin + ".nom", "le nom est vide");
    } else {
        erreur(t, chemin + ".nom", "manquant");
    }
    if (const toml::node* n = t.get("points")) entier(*n, chemin + ".points", 0, 1000000, c.points);
    c.deroulement.budget = pas_max;
    if (const toml::node* n = t.get("pas_max"))
        entier(*n, chemin + ".pas_max", 1, BUDGET_MAX, c.deroulement.budget);
    if (const toml::node* n = t.get("registres"))
        if (const toml::table* r = table(*n, chemin + ".registres"))
            registres(*r, chemin + ".registres", false, c.depart.registres);
    if (const toml::node* n = t.get("memoire")) memoire(*n, chemin + ".memoire", c.depart.memoire);
    if (const toml::node* n = t.get("ports"))
        if (const toml::table* p = table(*n, chemin + ".ports"))
            ports(*p, chemin + ".ports", true, c.depart.ports);
    if (const toml::node* n = t.get("entrees")) entrees(*n, chemin + ".entrees", c.deroulement);
    if (const toml::node* n = t.get("jusqua")) jusqua(*n, chemin + ".jusqua", c.jusqua);
    if (const toml::node* n = t.get("attendu")) {
        if (const toml::table* a = table(*n, chemin + ".attendu"))
            attendu(*a, chemin + ".attendu", c.attendu);
    } else {
        erreur(t, chemin + ".attendu", "manquant: chaque cas dit ce qui est attendu");
    }
}

} // namespace

uint64_t total_points(const exercice& e) {
    uint64_t total = 0;
    for (const cas_exercice& c : e.cas) total += c.points;
    return total;
}

bool lit_exercice(const std::string& texte, const std::string& nom_fichier, exercice& e,
                  std::vector<std::string>& erreurs) {
    e = exercice();
    size_t avant = erreurs.size();
    toml::table racine;
    try {
        racine = toml::parse(texte, nom_fichier);
    } catch (const toml::parse_error& faute) {
        erreurs.push_back(nom_fichier + ":" + std::to_string(faute.source().begin.line) +
                          ": syntaxe TOML invalide (" + std::string(faute.description()) + ")");
        return false;
    }
    lecteur l(nom_fichier);
    l.cles_connues(racine, "", {"titre", "pas_max", "cas"});
    e.titre = nom_fichier;
    if (const toml::node* n = racine.get("titre")) l.texte(*n, "titre", e.titre);
    uint64_t pas_max = BUDGET_DEFAUT;
    if (const toml::node* n = racine.get("pas_max"))
        l.entier(*n, "pas_max", 1, BUDGET_MAX, pas_max);
    const toml::node* n = racine.get("cas");
    const toml::array* liste = n ? l.tableau(*n, "cas") : nullptr;
    if (!n) l.erreur(1, "cas", "aucun cas ([[cas]])");
    if (liste && liste->empty()) l.erreur(*n, "cas", "aucun cas ([[cas]])");
    std::map<std::string, size_t> noms;
    for (size_t i = 0; liste && i < liste->size(); ++i) {
        std::string chemin = "cas[" + std::to_string(i + 1) + "]";
        const toml::table* t = l.table(*liste->get(i), chemin);
        if (!t) continue;
        cas_exercice c;
        l.cas(*t, chemin, pas_max, c);
        auto [deja, nouveau] = noms.emplace(c.nom, i + 1);
        if (!c.nom.empty() && !nouveau)
            l.erreur(*t->get("nom"), chemin + ".nom",
                     "\"" + c.nom + "\" est deja le nom de cas[" + std::to_string(deja->second) +
                         "]");
        e.cas.push_back(c);
    }
    l.rend_erreurs(erreurs);
    return erreurs.size() == avant;
}
