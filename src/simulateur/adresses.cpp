#include "adresses.h"

#include "nombres.h"

bool lit_adresse(const std::string& texte,
                 const std::unordered_map<std::string, uint16_t>& etiquettes, uint16_t& adresse) {
    std::string mot = sans_blancs(texte);
    long valeur;
    if (lit_nombre(mot, valeur)) {
        if (valeur < 0 || valeur > 0xFFFF) return false;
        adresse = static_cast<uint16_t>(valeur);
        return true;
    }
    auto etiquette = etiquettes.find(mot);
    if (etiquette == etiquettes.end()) return false;
    adresse = etiquette->second;
    return true;
}
