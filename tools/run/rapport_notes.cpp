#include "rapport_notes.h"

namespace {

std::string cas_nomme(const cas_exercice& c) {
    return "cas \"" + c.nom + "\" (" + std::to_string(c.points) +
           (c.points == 1 ? " point)" : " points)");
}

// The differences of one failed case; a start state that differs as the other is not repeated.
std::vector<std::string> lignes_echec(const resultat_cas& r) {
    std::vector<std::string> lignes;
    if (r.ecarts[0] == r.ecarts[1]) {
        lignes.push_back("departs 1 et 2:");
        for (const std::string& e : r.ecarts[0]) lignes.push_back("  " + e);
        return lignes;
    }
    for (int d = 0; d < NB_DEPARTS; ++d) {
        if (r.ecarts[d].empty()) {
            lignes.push_back(std::string(departs[d].nom) + ": reussi");
            continue;
        }
        lignes.push_back(std::string(departs[d].nom) + ":");
        for (const std::string& e : r.ecarts[d]) lignes.push_back("  " + e);
    }
    return lignes;
}

std::string champ_csv(const std::string& texte) {
    if (texte.find_first_of(",\"\r\n") == std::string::npos) return texte;
    std::string champ = "\"";
    for (char c : texte) champ += c == '"' ? std::string("\"\"") : std::string(1, c);
    return champ + "\"";
}

std::string xml(const std::string& texte) {
    std::string echappe;
    for (char c : texte) {
        unsigned char u = static_cast<unsigned char>(c);
        if (c == '&')
            echappe += "&amp;";
        else if (c == '<')
            echappe += "&lt;";
        else if (c == '>')
            echappe += "&gt;";
        else if (c == '"')
            echappe += "&quot;";
        else if (u < 0x20 && c != '\t' && c != '\n' && c != '\r')
            echappe += '?'; // not in XML 1.0
        else
            echappe += c;
    }
    return echappe;
}

std::string joint(const std::vector<std::string>& lignes) {
    std::string texte;
    for (const std::string& l : lignes) texte += l + "\n";
    return texte;
}

} // namespace

std::string texte_rapport(const exercice& e, const std::vector<resultat_copie>& copies) {
    std::string total = std::to_string(total_points(e));
    std::string texte = e.titre + "\n";
    size_t reussies = 0;
    for (const resultat_copie& r : copies) {
        texte += r.chemin + ": " + std::to_string(r.points) + "/" + total + "\n";
        if (tous_reussis(r)) reussies++;
        if (!r.assemblee) {
            texte += "  erreurs d'assemblage (tous les cas a 0):\n";
            for (const std::string& d : r.diagnostics) texte += "    " + d + "\n";
            continue;
        }
        for (size_t c = 0; c < r.cas.size(); ++c) {
            if (r.cas[c].reussi) continue;
            texte += "  " + cas_nomme(e.cas[c]) + ": echoue\n";
            for (const std::string& l : lignes_echec(r.cas[c])) texte += "    " + l + "\n";
        }
    }
    texte += "bilan: " + std::to_string(reussies) + " copie(s) sur " +
             std::to_string(copies.size()) + " reussissent tous les cas\n";
    return texte;
}

std::string csv_notes(const exercice& e, const std::vector<resultat_copie>& copies) {
    std::string texte = "copie,points,total";
    for (const cas_exercice& c : e.cas) texte += "," + champ_csv(c.nom);
    texte += "\n";
    std::string total = std::to_string(total_points(e));
    for (const resultat_copie& r : copies) {
        texte += champ_csv(r.chemin) + "," + std::to_string(r.points) + "," + total;
        for (size_t c = 0; c < e.cas.size(); ++c)
            texte += "," + std::to_string(r.cas[c].reussi ? e.cas[c].points : 0);
        texte += "\n";
    }
    return texte;
}

std::string junit_notes(const exercice& e, const std::vector<resultat_copie>& copies) {
    size_t echecs = 0;
    for (const resultat_copie& r : copies)
        for (const resultat_cas& c : r.cas) echecs += c.reussi ? 0 : 1;
    std::string texte = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    texte += "<testsuites name=\"" + xml(e.titre) + "\" tests=\"" +
             std::to_string(copies.size() * e.cas.size()) + "\" failures=\"" +
             std::to_string(echecs) + "\">\n";
    for (const resultat_copie& r : copies) {
        size_t echecs_copie = 0;
        for (const resultat_cas& c : r.cas) echecs_copie += c.reussi ? 0 : 1;
        texte += "  <testsuite name=\"" + xml(r.chemin) + "\" tests=\"" +
                 std::to_string(e.cas.size()) + "\" failures=\"" + std::to_string(echecs_copie) +
                 "\">\n";
        for (size_t c = 0; c < e.cas.size(); ++c) {
            texte += "    <testcase name=\"" + xml(e.cas[c].nom) + "\" classname=\"" +
                     xml(r.chemin) + "\"";
            if (r.cas[c].reussi) {
                texte += "/>\n";
                continue;
            }
            std::string message = r.assemblee ? "echoue" : "erreurs d'assemblage";
            std::string detail = r.assemblee ? joint(lignes_echec(r.cas[c])) : joint(r.diagnostics);
            texte += ">\n      <failure message=\"" + message + "\">" + xml(detail) +
                     "</failure>\n    </testcase>\n";
        }
        texte += "  </testsuite>\n";
    }
    return texte + "</testsuites>\n";
}
