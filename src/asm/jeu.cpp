#include "jeu.h"

#include "interpreteur.h"
#include "nombres.h"

#include <vector>

namespace {

const char* const DIRECTIVES[] = {"ORG", "DB", "DW", "EQU"};

// As strings, so that most words are told apart by their length alone: a large source asks
// this for every name it defines.
const std::vector<std::string>& libelles() {
    static const std::vector<std::string> noms(internal_mac_interpreteur_libelle_instruction,
                                               internal_mac_interpreteur_libelle_instruction +
                                                   NB_INSTRUCTIONS);
    return noms;
}

bool cherche_exact(const std::string& mot, int& instruction) {
    const std::vector<std::string>& noms = libelles();
    for (int n = 0; n < NB_INSTRUCTIONS; ++n) {
        if (mot == noms[static_cast<size_t>(n)]) {
            instruction = n;
            return true;
        }
    }
    return false;
}

// The forms that assemble to the very bytes the disassembler showed, but that execution reads
// differently: a student who writes them on purpose should still be told.
std::string avertissement_registre(int instruction, int mode) {
    const char* nom = internal_mac_interpreteur_libelle_instruction[instruction];
    if (mode == MODE_INHERENT) return "";
    return std::string(nom) + " n'a pas d'operande: l'execution reprend sur l'octet qui suit " +
           nom;
}

std::string avertissement_branchement(int instruction, int mode) {
    const char* nom = internal_mac_interpreteur_libelle_instruction[instruction];
    if (mode == MODE_DIRECT) return "";
    if (mode == MODE_INDEXE) return std::string(nom) + " n'est pas indexe: ,X est ignore";
    return std::string(nom) +
           " sans deplacement de 16 bits: l'execution prend les deux octets suivants";
}

std::string avertissement_operande(int instruction, int mode) {
    const char* nom = internal_mac_interpreteur_libelle_instruction[instruction];
    if (internal_mac_interpreteur_modes_instruction[instruction] >> mode & 1) return "";
    return std::string(nom) + " n'accepte pas le mode " +
           (mode == MODE_INHERENT ? "inherent" : "immediat") +
           ": l'execution n'affiche qu'un message";
}

// Indexed by genre_instruction.
std::string (*const avertissement_genre[])(int, int) = {
    avertissement_operande,    // GENRE_OPERANDE
    avertissement_registre,    // GENRE_REGISTRE
    avertissement_branchement, // GENRE_BRANCHEMENT
};

} // namespace

bool cherche_mnemonique(const std::string& mot, int& instruction, bool& immediat) {
    std::string m = majuscules(mot);
    immediat = false;
    if (cherche_exact(m, instruction)) return true;
    // An exact mnemonic wins over a glued I (none of the 32 ends in I anyway).
    if (m.size() < 2 || m.back() != 'I') return false;
    immediat = true;
    return cherche_exact(m.substr(0, m.size() - 1), instruction);
}

bool est_nom_reserve(const std::string& nom) {
    int instruction;
    bool immediat;
    if (cherche_mnemonique(nom, instruction, immediat)) return true;
    std::string m = majuscules(nom);
    for (const char* directive : DIRECTIVES)
        if (m == directive) return true;
    return false;
}

int taille_instruction(int instruction, int mode) {
    return internal_mac_interpreteur_taille_instruction[instruction] + longueur_operande(mode);
}

std::string avertissement_forme(int instruction, int mode) {
    return avertissement_genre[internal_mac_interpreteur_genre_instruction[instruction]](
        instruction, mode);
}
