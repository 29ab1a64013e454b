#include "etat_final.h"

#include "stringpp.h"

#include <cstdio>

namespace {

std::string format(const char* modele, unsigned valeur) {
    char texte[32];
    std::snprintf(texte, sizeof texte, modele, valeur);
    return texte;
}

std::string instructions(uint64_t n) {
    return std::to_string(n) + (n == 1 ? " instruction" : " instructions");
}

// "$05 (5)": hexadecimal as the views show it, and decimal.
std::string registre(const char* nom, unsigned valeur, int chiffres) {
    char texte[64];
    std::snprintf(texte, sizeof texte, "%-5s= $%0*x (%u)\n", nom, chiffres, valeur, valeur);
    return texte;
}

} // namespace

std::string phrase_arret(const resultat_execution& r, uint16_t pc) {
    std::string ou = format("$%04x", pc);
    switch (r.arret) {
    case ARRET_ADRESSE: return "arret: adresse " + ou + " atteinte apres " + instructions(r.pas);
    case ARRET_BOUCLE: return "arret: boucle en " + ou + " apres " + instructions(r.pas);
    default: return "arret: budget epuise apres " + instructions(r.pas);
    }
}

std::string lignes_vidage(const mem_64k& memoire, const vidage& v) {
    std::string texte;
    for (uint32_t debut = 0; debut < v.longueur; debut += 8) {
        uint16_t adresse = static_cast<uint16_t>(v.adresse + debut);
        texte += format("%4x", adresse);
        for (uint32_t i = debut; i < debut + 8 && i < v.longueur; ++i)
            texte += format(" %2x", memoire.read_byte(static_cast<uint16_t>(v.adresse + i)));
        texte += '\n';
    }
    return texte;
}

std::string texte_etat(const machine& m, const resultat_execution& r,
                       const std::vector<vidage>& vidages) {
    const mac_interpreteur& p = m.inter;
    std::string texte = phrase_arret(r, p.PC_value()) + "\n";
    texte += registre("A", p.A_value(), 2);
    texte += registre("X", p.X_value(), 4);
    texte += registre("PC", p.PC_value(), 4);
    texte += "CCR  = " + bin8toS(p.CCR_value()) + " (____NZVC)\n";
    texte += registre("tmpA", p.tmpA_value(), 2);
    for (int n = 0; n < NB_PORTS; ++n) {
        const config_port& c = configuration_ports[n];
        texte += std::string(c.nom) + " ($" + format("%04x", c.adresse) +
                 ") = " + bin8toS(m.memoire.read_byte(c.adresse)) + "\n";
    }
    if (!vidages.empty()) texte += "memoire:\n";
    for (const vidage& v : vidages) texte += lignes_vidage(m.memoire, v);
    return texte;
}

std::string json_etat(const machine& m, const resultat_execution& r,
                      const std::vector<vidage>& vidages) {
    const mac_interpreteur& p = m.inter;
    std::string texte = "{\"arret\": \"" + std::string(nom_arret(r.arret)) +
                        "\", \"pas\": " + std::to_string(r.pas);
    texte += ", \"PC\": " + std::to_string(p.PC_value());
    texte += ", \"A\": " + std::to_string(p.A_value());
    texte += ", \"X\": " + std::to_string(p.X_value());
    texte += ", \"CCR\": " + std::to_string(p.CCR_value());
    texte += ", \"tmpA\": " + std::to_string(p.tmpA_value());
    texte += ", \"ports\": {";
    for (int n = 0; n < NB_PORTS; ++n) {
        const config_port& c = configuration_ports[n];
        texte += std::string(n ? ", " : "") + "\"" + c.lettre +
                 "\": " + std::to_string(m.memoire.read_byte(c.adresse));
    }
    texte += "}, \"memoire\": [";
    for (size_t v = 0; v < vidages.size(); ++v) {
        texte += std::string(v ? ", " : "") +
                 "{\"adresse\": " + std::to_string(vidages[v].adresse) + ", \"octets\": [";
        for (uint32_t i = 0; i < vidages[v].longueur; ++i)
            texte +=
                std::string(i ? ", " : "") +
                std::to_string(m.memoire.read_byte(static_cast<uint16_t>(vidages[v].adresse + i)));
        texte += "]}";
    }
    return texte + "]}\n";
}
