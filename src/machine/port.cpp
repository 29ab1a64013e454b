#include "port.h"

#include "stringpp.h"

#include <cstdio>
#include <cstring>

namespace {

// Bit n's signal on the link: the port's name followed by n.
std::string nom_signal(const std::string& nom_port, int n) {
    return nom_port + unslong2S(static_cast<uint32_t>(n));
}

// The address as the standard streams write an untyped pointer: "0" when null, else as "%p".
void ecrit_adresse(char* tampon, size_t taille, const void* adresse) {
    if (adresse)
        std::snprintf(tampon, taille, "%p", adresse);
    else
        std::snprintf(tampon, taille, "0");
}

} // namespace

port_machine::port_machine()
    : memoire(nullptr), ppartage_mem(nullptr), valeur(0), direction(0), masque_forc_sortie(0),
      masque_forc_entree(0), adresse_port_valeur(0), adresse_port_direction(0) {}

port_machine::~port_machine() {
    delete ppartage_mem;
}

void port_machine::configure(const char* nom_port_valeur_param, uint16_t adresse_port_valeur_param,
                             const char* nom_port_direction_param,
                             uint16_t adresse_port_direction_param,
                             uint8_t masque_forc_sortie_param, uint8_t masque_forc_entree_param,
                             mem_64k* memoire_param) {
    nom_port_valeur = nom_port_valeur_param;
    adresse_port_valeur = adresse_port_valeur_param;
    nom_port_direction = nom_port_direction_param;
    adresse_port_direction = adresse_port_direction_param;
    masque_forc_sortie = masque_forc_sortie_param;
    masque_forc_entree = masque_forc_entree_param;
    memoire = memoire_param;
    memoire->write_byte(adresse_port_valeur, 0xFF);
    if (!nom_port_direction.empty())
        memoire->write_byte(adresse_port_direction, masque_forc_sortie);
    maj_direction();
}

void port_machine::lie(int ident_partage_memoire) {
    delete ppartage_mem;
    ppartage_mem =
        ident_partage_memoire != 0 ? new IOsharemem_client(ident_partage_memoire) : nullptr;
}

// Written at every pass of the loop, so built without printf.
void port_machine::trace_lien() const {
    static const char milieu[] = ": ppartage_mem ";
    char ligne[128];
    size_t n = nom_port_valeur.copy(ligne, 64);
    std::memcpy(ligne + n, milieu, sizeof milieu - 1);
    n += sizeof milieu - 1;
    ecrit_adresse(ligne + n, sizeof ligne - n, ppartage_mem);
    console_ligne(ligne);
}

// With a link, the input bits come from it and the buttons play no part.
int port_machine::lit_lien() {
    console_ligne(" lecture partage");
    if (ppartage_mem->receive() == -1) {
        // A broken link is dropped for good; the port then works from its buttons.
        delete ppartage_mem;
        ppartage_mem = nullptr;
        return 0;
    }
    int resultat = 0;
    valeur = 0;
    for (int n = 0; n < 8; n++) {
        if (!est_entree(n)) continue;
        std::string nom = nom_signal(nom_port_valeur, n);
        int leve = ppartage_mem->input_is_set(nom);
        console_lignef("lecture %s =%d", nom.c_str(), leve ? 1 : 0);
        if (leve) {
            valeur = static_cast<uint8_t>(valeur | 1 << n);
            resultat = 1;
        }
    }
    return resultat;
}

void port_machine::publie_lien() {
    for (int n = 0; n < 8; n++) {
        if (est_entree(n)) continue;
        std::string nom = nom_signal(nom_port_valeur, n);
        console_lignef("ecriture %s", nom.c_str());
        ppartage_mem->setreset_output(nom, valeur >> n & 1);
    }
}
