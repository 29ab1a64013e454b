#include "lignes.h"

#include "jeu.h"
#include "nombres.h"

#include <cctype>

namespace {

bool est_blanc(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// Cuts the next word (up to a blank) off the front of reste.
std::string coupe_mot(std::string& reste) {
    size_t fin = 0;
    while (fin < reste.size() && !est_blanc(reste[fin])) ++fin;
    std::string mot = reste.substr(0, fin);
    reste = sans_blancs(reste.substr(fin));
    return mot;
}

// "nom:" at the front of the line; leaves reste untouched when there is none.
std::string coupe_etiquette(std::string& reste) {
    size_t fin = 0;
    while (fin < reste.size() &&
           (std::isalnum(static_cast<unsigned char>(reste[fin])) || reste[fin] == '_'))
        ++fin;
    if (fin == 0 || fin == reste.size() || reste[fin] != ':') return "";
    std::string nom = reste.substr(0, fin);
    reste = sans_blancs(reste.substr(fin + 1));
    return nom;
}

std::vector<std::string> coupe_liste(const std::string& texte) {
    std::vector<std::string> champs;
    size_t debut = 0;
    for (;;) {
        size_t virgule = texte.find(',', debut);
        champs.push_back(sans_blancs(texte.substr(debut, virgule - debut)));
        if (virgule == std::string::npos) return champs;
        debut = virgule + 1;
    }
}

void lit_liste(ligne_source& ligne, const std::string& directive, const std::string& reste) {
    ligne.operandes = coupe_liste(reste);
    for (const std::string& champ : ligne.operandes)
        if (champ.empty()) ligne.erreur = "valeur manquante dans " + directive;
}

void lit_valeur_seule(ligne_source& ligne, const std::string& directive, const std::string& reste) {
    if (reste.empty())
        ligne.erreur = "valeur manquante apres " + directive;
    else if (reste.find(',') != std::string::npos)
        ligne.erreur = directive + " attend une seule valeur: " + reste;
    ligne.operandes = {reste};
}

// The operand decides the mode, as the disassembler writes it: none (0), after a glued I (1),
// a value (2), a value then ",X" (3).
void lit_instruction(ligne_source& ligne, const std::string& mot, bool immediat,
                     const std::string& reste) {
    ligne.genre = LIGNE_INSTRUCTION;
    if (reste.empty()) {
        if (immediat) ligne.erreur = "operande manquant apres " + mot;
        ligne.mode = 0;
        return;
    }
    size_t virgule = reste.rfind(',');
    std::string valeur = sans_blancs(reste.substr(0, virgule));
    ligne.operandes = {valeur};
    ligne.mode = immediat ? 1 : 2;
    if (virgule == std::string::npos) return;
    std::string index = sans_blancs(reste.substr(virgule + 1));
    if (immediat || majuscules(index) != "X" || valeur.find(',') != std::string::npos)
        ligne.erreur = "operande mal forme: " + reste;
    else if (valeur.empty())
        ligne.erreur = "operande manquant avant ,X";
    ligne.mode = 3;
}

void lit_commande(ligne_source& ligne, const std::string& mot, const std::string& reste) {
    std::string directive = majuscules(mot);
    int instruction;
    bool immediat;
    if (directive == "ORG") {
        ligne.genre = LIGNE_ORG;
        lit_valeur_seule(ligne, directive, reste);
    } else if (directive == "DB" || directive == "DW") {
        ligne.genre = directive == "DB" ? LIGNE_DB : LIGNE_DW;
        lit_liste(ligne, directive, reste);
    } else if (directive == "EQU") {
        ligne.erreur = "EQU sans nom de constante";
    } else if (cherche_mnemonique(mot, instruction, immediat)) {
        ligne.instruction = instruction;
        lit_instruction(ligne, mot, immediat, reste);
    } else {
        ligne.erreur = "mnemonique inconnu: " + mot;
    }
}

// "NOM EQU valeur", also written "NOM: EQU valeur".
bool lit_constante(ligne_source& ligne, const std::string& mot, std::string reste) {
    std::string nom = ligne.etiquette.empty() ? mot : ligne.etiquette;
    if (!ligne.etiquette.empty()) reste = sans_blancs(mot + " " + reste);
    std::string equ = coupe_mot(reste);
    if (majuscules(equ) != "EQU") return false;
    ligne.genre = LIGNE_EQU;
    ligne.etiquette = nom;
    lit_valeur_seule(ligne, "EQU", reste);
    return true;
}

void verifie_nom(ligne_source& ligne) {
    if (ligne.etiquette.empty() || !ligne.erreur.empty()) return;
    if (!est_identificateur(ligne.etiquette))
        ligne.erreur = "nom mal forme: " + ligne.etiquette;
    else if (est_nom_reserve(ligne.etiquette))
        ligne.erreur = "nom reserve: " + ligne.etiquette;
}

} // namespace

ligne_source lit_ligne(const std::string& texte, int numero) {
    ligne_source ligne;
    ligne.numero = numero;
    ligne.texte = texte;
    if (!ligne.texte.empty() && ligne.texte.back() == '\r') ligne.texte.pop_back();
    std::string reste = sans_blancs(ligne.texte.substr(0, ligne.texte.find(';')));
    ligne.etiquette = coupe_etiquette(reste);
    std::string mot = coupe_mot(reste);
    if (mot.empty()) {
        verifie_nom(ligne);
        return ligne;
    }
    if (!lit_constante(ligne, mot, reste)) lit_commande(ligne, mot, reste);
    verifie_nom(ligne);
    return ligne;
}
