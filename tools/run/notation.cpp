#include "notation.h"

#include "session_run.h"
#include "stringpp.h"

#include <cstdio>
#include <memory>

// clang-format off
const depart_registres departs[NB_DEPARTS] = {
    //  name                                  A     X       CCR
    {"depart 1 (A=$00 X=$0000 CCR=$00)",      0x00, 0x0000, 0x00},
    {"depart 2 (A=$a5 X=$1234 CCR=$0f)",      0xA5, 0x1234, 0x0F},
};
// clang-format on

namespace {

// Past this many differing cells of one block, the rest are counted, not listed.
constexpr int CELLULES_LISTEES = 8;

std::string hexa_decimal(unsigned valeur, int chiffres) {
    char texte[32];
    std::snprintf(texte, sizeof texte, "$%0*x (%u)", chiffres, valeur, valeur);
    return texte;
}

uint16_t lit_registre(const machine& m, registre_run r) {
    switch (r) {
    case REGISTRE_A: return m.inter.A_value();
    case REGISTRE_X: return m.inter.X_value();
    case REGISTRE_PC: return m.inter.PC_value();
    default: return m.inter.CCR_value();
    }
}

void compare_arret(const attendu_cas& a, const resultat_execution& r, uint16_t pc,
                   std::vector<std::string>& ecarts) {
    if (a.arret_donne && r.arret != a.arret)
        ecarts.push_back("arret: attendu \"" + std::string(nom_arret(a.arret)) + "\", obtenu " +
                         phrase_arret(r, pc).substr(7));
    if (!a.arret_donne && r.arret == ARRET_BUDGET)
        ecarts.push_back("budget epuise apres " + std::to_string(r.pas) +
                         " instructions: le programme ne s'arrete pas");
    if (a.limite_pas && r.pas > a.pas_max_utilises)
        ecarts.push_back("pas: attendu au plus " + std::to_string(a.pas_max_utilises) +
                         ", obtenu " + std::to_string(r.pas));
}

void compare_memoire(const bloc_memoire& b, const mem_64k& memoire,
                     std::vector<std::string>& ecarts) {
    int differences = 0;
    for (size_t i = 0; i < b.octets.size(); ++i) {
        uint16_t adresse = static_cast<uint16_t>(b.adresse + i);
        uint8_t obtenu = memoire.read_byte(adresse);
        if (obtenu == b.octets[i]) continue;
        if (++differences <= CELLULES_LISTEES)
            ecarts.push_back("memoire " + hexa_decimal(adresse, 4).substr(0, 5) + ": attendu " +
                             hexa_decimal(b.octets[i], 2) + ", obtenu " + hexa_decimal(obtenu, 2));
    }
    if (differences > CELLULES_LISTEES)
        ecarts.push_back("memoire: et " + std::to_string(differences - CELLULES_LISTEES) +
                         " autres octets differents");
}

std::vector<std::string> compare(const attendu_cas& a, const machine& m,
                                 const resultat_execution& r) {
    std::vector<std::string> ecarts;
    compare_arret(a, r, m.inter.PC_value(), ecarts);
    for (const valeur_registre& v : a.registres) {
        uint16_t obtenu = lit_registre(m, v.registre);
        int chiffres = maximum_registre(v.registre) > 0xFF ? 4 : 2;
        if (obtenu != v.valeur)
            ecarts.push_back(std::string(nom_registre(v.registre)) + ": attendu " +
                             hexa_decimal(v.valeur, chiffres) + ", obtenu " +
                             hexa_decimal(obtenu, chiffres));
    }
    for (const valeur_port& p : a.ports) {
        uint8_t obtenu = m.memoire.read_byte(configuration_ports[p.port].adresse);
        if (obtenu != p.valeur)
            ecarts.push_back(std::string("port ") + configuration_ports[p.port].lettre +
                             ": attendu " + bin8toS(p.valeur) + ", obtenu " + bin8toS(obtenu));
    }
    for (const bloc_memoire& b : a.memoire) compare_memoire(b, m.memoire, ecarts);
    return ecarts;
}

// The stops of the case in this submission; false with the reason when a label is missing.
bool arrets_de(const cas_exercice& c, const programme_lu& copie, std::vector<uint16_t>& arrets,
               std::string& raison) {
    for (const cible_cas& j : c.jusqua) {
        if (j.cible.etiquette.empty()) {
            arrets.push_back(j.cible.adresse);
            continue;
        }
        auto trouvee = copie.etiquettes.find(j.cible.etiquette);
        if (trouvee == copie.etiquettes.end()) {
            raison = "jusqua: etiquette \"" + j.cible.etiquette + "\" absente de la copie";
            return false;
        }
        arrets.push_back(trouvee->second);
    }
    return true;
}

std::vector<std::string> execute_cas(const cas_exercice& c, const programme_lu& copie,
                                     const deroulement_run& deroulement,
                                     const depart_registres& d) {
    std::unique_ptr<machine> m = std::make_unique<machine>();
    m->inter.set_A_value(d.a);
    m->inter.set_X_value(d.x);
    m->inter.CCR = d.ccr; // no setter: the window never edits the flags
    charge_programme(*m, copie);
    demarre(*m, c.depart);
    resultat_execution r = deroule(*m, deroulement, nullptr);
    return compare(c.attendu, *m, r);
}

resultat_cas note_cas(const cas_exercice& c, const programme_lu& copie) {
    resultat_cas resultat;
    deroulement_run deroulement = c.deroulement;
    std::string raison;
    if (!arrets_de(c, copie, deroulement.arrets, raison)) {
        resultat.reussi = false;
        for (std::vector<std::string>& ecarts : resultat.ecarts) ecarts.push_back(raison);
        return resultat;
    }
    for (int d = 0; d < NB_DEPARTS; ++d) {
        resultat.ecarts[d] = execute_cas(c, copie, deroulement, departs[d]);
        resultat.reussi = resultat.reussi && resultat.ecarts[d].empty();
    }
    return resultat;
}

} // namespace

resultat_copie note_copie(const exercice& e, const programme_lu& copie, lecture_programme lecture) {
    resultat_copie r;
    r.chemin = copie.chemin;
    if (lecture == PROGRAMME_ERRONE) {
        r.assemblee = false;
        r.diagnostics = copie.erreurs;
        r.cas.resize(e.cas.size());
        for (resultat_cas& c : r.cas) c.reussi = false;
        return r;
    }
    for (const cas_exercice& c : e.cas) {
        r.cas.push_back(note_cas(c, copie));
        if (r.cas.back().reussi) r.points += c.points;
    }
    return r;
}

bool tous_reussis(const resultat_copie& r) {
    for (const resultat_cas& c : r.cas)
        if (!c.reussi) return false;
    return true;
}
