// Opening and reloading programs: program files and assembler sources, from the File menu, the
// keys and the command line.
#include "console.h"
#include "interface2.h"
#include "source.h"

#include <FL/Fl_Button.H>
#include <FL/fl_ask.H>
#include <FL/forms.H>

#include <filesystem>
#include <system_error>

namespace {

// The chooser offers sources beside program files.
const char* const MOTIF_PROGRAMMES = "*.{bin,s}";

// What names a file for the breakpoints: an editor that saves by writing a new file keeps it.
std::string identite_fichier(const std::string& chemin) {
    std::error_code erreur;
    std::filesystem::path p = std::filesystem::weakly_canonical(chemin, erreur);
    if (erreur) p = std::filesystem::absolute(chemin, erreur).lexically_normal();
    return erreur ? chemin : p.string();
}

} // namespace

const char* simulateur::choisit_programme() {
    return fl_show_file_selector("Choisissez un fichier binaire", "", MOTIF_PROGRAMMES, "");
}

void simulateur::ouvre_programme() {
    if (programme_initial.empty()) {
        charge_programme(choisit_programme());
        return;
    }
    std::string chemin;
    chemin.swap(programme_initial);
    charge_programme(chemin.c_str());
}

void simulateur::charge_programme(const char* retour) {
    if (!retour) {
        console_ligne("chargement abandonne ...");
        return;
    }
    // Kept even when the load fails: the student fixes the file, then reloads it.
    dernier_programme = retour;
    charge_chemin(dernier_programme);
}

void simulateur::recharge_programme() {
    if (dernier_programme.empty()) {
        console_ligne("rechargement: aucun programme n'a ete ouvert");
        return;
    }
    charge_chemin(dernier_programme);
}

void simulateur::charge_chemin(const std::string& chemin) {
    if (!(est_nom_de_source(chemin) ? charge_source(chemin) : charge_binaire(chemin))) return;
    // Breakpoints belong to a program: they stay through a reload of the same file.
    std::string identite = identite_fichier(chemin);
    if (identite != programme_charge) session.arrets.reset();
    programme_charge = identite;
    adr_debut_desassemblage = inter.PC_value();
    console_lignef("depart: %d", adr_debut_desassemblage);
    sauve_registres();
    rafraichit_desassemble();
    rafraichit_dump(0);
}

bool simulateur::charge_binaire(const std::string& chemin) {
    std::string raison;
    if (session.charge_fichier(chemin, raison)) return true;
    // The memory is kept as it was, and so is the processor.
    fl_show_alert("Erreur: fichier corrompu", "ou fichier binaire non attendu.", raison.c_str(), 0);
    return false;
}

bool simulateur::charge_source(const std::string& chemin) {
    console_ligne("assemblage de \"" + chemin + "\"");
    source_assemblee source;
    std::string raison;
    if (!assemble_source(chemin, source, raison)) {
        console_ligne("erreur sur fichier ");
        console_ligne(raison);
        fl_alert("Erreur: fichier source illisible\n%s\n%s", chemin.c_str(), raison.c_str());
        return false;
    }
    for (const std::string& ligne : source.diagnostics) console_ligne(ligne);
    if (!source.erreurs.empty()) {
        console_lignef("rien n'est charge: %zu erreur(s) d'assemblage", source.erreurs.size());
        fl_alert("%s", texte_alerte_assemblage(source.erreurs).c_str());
        return false;
    }
    if (!session.charge_octets(source.fichier, raison)) return false;
    // The load clears the labels: they come after it.
    session.etiquettes = source.etiquettes;
    return true;
}
