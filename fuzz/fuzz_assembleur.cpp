// Any bytes as an assembler source: the assembler must end, within its limits, whatever it is
// given, and what it hands out must hold together: the error count, every placed line's bytes at
// its address in the image, the file's header, each symbol found by its name, the listing.
#include "assembleur.h"
#include "sortie.h"

#include <cstdint>
#include <string>

namespace {

void verifie(bool condition) {
    if (!condition) __builtin_trap();
}

void verifie_image(const programme_asm& p) {
    for (const ligne_asm& ligne : p.lignes) {
        for (uint32_t i = 0; i < ligne.nb_octets; ++i) {
            long place = ligne.adresse + static_cast<long>(i) - p.base;
            verifie(place >= 0 && static_cast<size_t>(place) < p.octets.size());
            verifie(p.octets[static_cast<size_t>(place)] == p.octets_lignes[ligne.octet + i]);
        }
    }
    std::vector<uint8_t> fichier = fichier_programme(p);
    verifie(fichier.size() == p.octets.size() + 4);
    verifie(static_cast<size_t>(fichier[0] << 8 | fichier[1]) == fichier.size());
    verifie((fichier[2] << 8 | fichier[3]) == p.base);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* octets, size_t taille) {
    programme_asm p = assemble(std::string(reinterpret_cast<const char*>(octets), taille));
    int erreurs = 0;
    for (const diagnostic_asm& d : p.diagnostics) {
        erreurs += d.erreur;
        verifie(!texte_diagnostic("f.s", d).empty());
    }
    verifie(erreurs == p.nb_erreurs);
    verifie(p.nb_erreurs <= NB_ERREURS_MAX + 1); // the last one says that it stopped
    verifie(p.octets.size() <= static_cast<size_t>(TAILLE_PROGRAMME_MAX));
    verifie(p.base + p.octets.size() <= 0x10000);
    if (p.nb_erreurs == 0) verifie_image(p);
    for (const symbole_asm& s : p.symboles) verifie(cherche_symbole(p, s.nom) == &s);
    verifie(p.source.empty() || !texte_listing(p).empty());
    return 0;
}
