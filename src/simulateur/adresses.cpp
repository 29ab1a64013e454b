#include "adresses.h"

#include "nombres.h"

bool lit_adresse(const std::string& texte,
                 const std::unordered_map<std::string, uint16_t>& etiquettes, uint16_t& adresse,
                 std::string& erreur) {
    std::string mot = sans_blancs(texte);
    if (commence_comme_nombre(mot)) {
        long valeur;
        if (!lit_nombre(mot, valeur)) {
            erreur = "nombre mal ecrit: " + mot;
            return false;
        }
        if (valeur < 0 || valeur > 0xFFFF) {
            erreur = "adresse hors de la memoire ($0000 a $ffff): " + mot;
            return false;
        }
        adresse = static_cast<uint16_t>(valeur);
        return true;
    }
    auto etiquette = etiquettes.find(mot);
    if (etiquette == etiquettes.end()) {
        erreur = "\"" + mot + "\" n'est ni une adresse ni une etiquette du programme";
        return false;
    }
    adresse = etiquette->second;
    return true;
}
