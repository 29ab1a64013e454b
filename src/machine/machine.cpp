#include "machine.h"

// clang-format off
const config_port configuration_ports[NB_PORTS] = {
    //  name     register  forced outputs  forced inputs
    {'A', "PortA", 0x1000, 0xF8,           0x00}, // bits 7-3 outputs, 2-0 inputs
    {'B', "PortB", 0x1002, 0x00,           0x00}, // the switches
    {'C', "PortC", 0x1004, 0xFF,           0x00}, // the lights
};
// clang-format on

int port_par_lettre(char lettre) {
    for (int p = 0; p < NB_PORTS; p++)
        if (configuration_ports[p].lettre == lettre || configuration_ports[p].lettre + 32 == lettre)
            return p;
    return -1;
}

machine::machine() {
    inter.learn_mem(&memoire);
    inter.init_registers();
    for (int p = 0; p < NB_PORTS; p++) {
        const config_port& c = configuration_ports[p];
        ports[p].configure(c.nom, c.adresse, "", 0, c.masque_forc_sortie, c.masque_forc_entree,
                           &memoire);
    }
}

int machine::charge_fichier(const std::string& chemin, std::string& raison) {
    if (!memoire.load_binaire(chemin, raison)) return 0;
    demarre_programme();
    return 1;
}

int machine::charge_octets(const std::vector<uint8_t>& fichier, std::string& raison) {
    if (!memoire.load_octets(fichier.data(), fichier.size(), raison)) return 0;
    demarre_programme();
    return 1;
}

void machine::demarre_programme() {
    inter.init_registers();
    compteur_pas = 0;
    etiquettes.clear();
    histo.vide();
}

void machine::remplit(uint16_t adresse, uint8_t valeur, int32_t nombre) {
    // Past 65536 writes every cell already holds the value: stop there rather than freeze.
    int32_t n_max = nombre > 65536 ? 65536 : nombre;
    for (int32_t n = 0; n < n_max; n++) {
        uint16_t a = static_cast<uint16_t>(adresse + n);
        if (histo.actif()) histo.note_ecriture(memoire, a, valeur);
        memoire.write_byte(a, valeur);
    }
}

void machine::note_historique() {
    histo.note_instruction(inter, memoire, ports);
}

int machine::retour_arriere() {
    if (!histo.defait(inter, memoire, ports)) return 0;
    if (compteur_pas > 0) compteur_pas--;
    return 1;
}
