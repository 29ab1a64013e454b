#include "assembleur.h"

#include "interpreteur.h"
#include "jeu.h"
#include "nombres.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <map>

namespace {

// Numbers are accepted signed or unsigned, as long as they fit the field.
struct plage {
    long min;
    long max;
    const char* nom;
};
const plage PLAGE_IMMEDIAT = {-128, 255, "operande du mode immediat"};
const plage PLAGE_OPERANDE = {-32768, 65535, "operande de 16 bits"};
const plage PLAGE_DEPLACEMENT = {-32768, 32767, "deplacement"};
const plage PLAGE_OCTET = {-128, 255, "octet"};
const plage PLAGE_MOT = {-32768, 65535, "mot"};
const plage PLAGE_ADRESSE = {0, 65535, "adresse"};
const plage PLAGE_CONSTANTE = {-32768, 65535, "constante"};

constexpr long FIN_MEMOIRE = 0x10000;

struct assemblage {
    programme_asm programme;
    std::map<std::string, size_t> index; // name -> position in programme.symboles
    std::map<long, int> proprietaire;    // placed address -> the line that placed it
};

void signale(assemblage& a, int ligne, bool erreur, const std::string& message) {
    a.programme.diagnostics.push_back({ligne, erreur, message});
    if (erreur) ++a.programme.nb_erreurs;
}

std::string adresse_texte(long adresse) {
    char texte[8];
    std::snprintf(texte, sizeof texte, "$%04X", static_cast<unsigned>(adresse & 0xFFFF));
    return texte;
}

void definit(assemblage& a, const ligne_source& ligne, long valeur, bool etiquette) {
    if (!est_identificateur(ligne.etiquette) || est_nom_reserve(ligne.etiquette)) return;
    auto deja = a.index.find(ligne.etiquette);
    if (deja != a.index.end()) {
        signale(a, ligne.numero, true,
                "etiquette deja definie ligne " +
                    std::to_string(a.programme.symboles[deja->second].ligne) + ": " +
                    ligne.etiquette);
        return;
    }
    a.index[ligne.etiquette] = a.programme.symboles.size();
    a.programme.symboles.push_back({ligne.etiquette, valeur, etiquette, ligne.numero});
}

// A number, or the value of a symbol already defined. si_inconnu names the error of a name that
// is not (yet) defined.
bool evalue(assemblage& a, const ligne_source& ligne, const std::string& texte,
            const char* si_inconnu, long& valeur, bool& etiquette) {
    etiquette = false;
    if (commence_comme_nombre(texte)) {
        if (lit_nombre(texte, valeur)) return true;
        signale(a, ligne.numero, true, "nombre mal forme: " + texte);
        return false;
    }
    if (!est_identificateur(texte)) {
        signale(a, ligne.numero, true, "operande mal forme: " + texte);
        return false;
    }
    auto trouve = a.index.find(texte);
    if (trouve == a.index.end()) {
        signale(a, ligne.numero, true, std::string(si_inconnu) + ": " + texte);
        return false;
    }
    valeur = a.programme.symboles[trouve->second].valeur;
    etiquette = a.programme.symboles[trouve->second].etiquette;
    return true;
}

// A name is shown with its value, which is what is out of range.
std::string montre(const std::string& texte, long valeur) {
    if (!est_identificateur(texte)) return texte;
    return texte + " = " + std::to_string(valeur);
}

bool dans_plage(assemblage& a, const ligne_source& ligne, long valeur, const plage& p,
                const std::string& ecrit) {
    if (valeur >= p.min && valeur <= p.max) return true;
    signale(a, ligne.numero, true,
            std::string(p.nom) + " hors limites: " + ecrit + " (de " + std::to_string(p.min) +
                " a " + std::to_string(p.max) + ")");
    return false;
}

// ORG and EQU act during the first pass, so they see only the names defined above them.
bool valeur_immediate(assemblage& a, const ligne_source& ligne, const plage& p, long& valeur) {
    bool etiquette;
    const std::string& texte = ligne.operandes[0];
    return evalue(a, ligne, texte, "etiquette non definie avant cette ligne", valeur, etiquette) &&
           dans_plage(a, ligne, valeur, p, montre(texte, valeur));
}

long taille_ligne(const ligne_source& ligne) {
    switch (ligne.genre) {
    case LIGNE_INSTRUCTION: return taille_instruction(ligne.instruction, ligne.mode);
    case LIGNE_DB: return static_cast<long>(ligne.operandes.size());
    case LIGNE_DW: return 2 * static_cast<long>(ligne.operandes.size());
    default: return 0;
    }
}

// Addresses and names. A line that cannot be read still defines its label, so that its error
// does not bring a wave of undefined names after it.
void premiere_passe(assemblage& a) {
    long compteur = 0;
    for (ligne_source& ligne : a.programme.lignes) {
        if (!ligne.erreur.empty()) signale(a, ligne.numero, true, ligne.erreur);
        long valeur = 0;
        if (ligne.genre == LIGNE_ORG && ligne.erreur.empty() &&
            valeur_immediate(a, ligne, PLAGE_ADRESSE, valeur))
            compteur = valeur;
        ligne.adresse = compteur;
        if (ligne.genre == LIGNE_EQU) {
            // A refused value defines the name all the same, as 0, so that it is reported once.
            if (ligne.erreur.empty() && !valeur_immediate(a, ligne, PLAGE_CONSTANTE, valeur))
                valeur = 0;
            definit(a, ligne, valeur, false);
        } else if (!ligne.etiquette.empty()) {
            definit(a, ligne, compteur, true);
        }
        long taille = taille_ligne(ligne);
        if (ligne.erreur.empty() && taille > 0 && compteur + taille > FIN_MEMOIRE) {
            ligne.erreur = "le programme depasse l'adresse $FFFF";
            signale(a, ligne.numero, true, ligne.erreur);
        }
        compteur += taille;
    }
}

void ajoute_mot(std::vector<uint8_t>& octets, long valeur) {
    uint16_t mot = static_cast<uint16_t>(valeur);
    octets.push_back(static_cast<uint8_t>(mot >> 8));
    octets.push_back(static_cast<uint8_t>(mot & 0xFF));
}

// A branch to a label counts from the branch's own instruction byte, as execution does; a
// number or a constant is already a displacement.
bool operande_mot(assemblage& a, const ligne_source& ligne, long& mot) {
    bool etiquette;
    const std::string& texte = ligne.operandes[0];
    if (!evalue(a, ligne, texte, "etiquette non definie", mot, etiquette)) return false;
    bool branchement =
        internal_mac_interpreteur_genre_instruction[ligne.instruction] == GENRE_BRANCHEMENT;
    if (!branchement || !etiquette)
        return dans_plage(a, ligne, mot, PLAGE_OPERANDE, montre(texte, mot));
    mot -= ligne.adresse;
    return dans_plage(a, ligne, mot, PLAGE_DEPLACEMENT, std::to_string(mot) + " vers " + texte);
}

bool encode_instruction(assemblage& a, ligne_source& ligne) {
    ligne.octets.push_back(static_cast<uint8_t>(octet_instruction(ligne.instruction, ligne.mode)));
    long valeur = 0;
    bool etiquette;
    if (ligne.mode == MODE_IMMEDIAT) {
        const std::string& texte = ligne.operandes[0];
        if (!evalue(a, ligne, texte, "etiquette non definie", valeur, etiquette) ||
            !dans_plage(a, ligne, valeur, PLAGE_IMMEDIAT, montre(texte, valeur)))
            return false;
        ligne.octets.push_back(static_cast<uint8_t>(valeur));
    } else if (ligne.mode != MODE_INHERENT) {
        if (!operande_mot(a, ligne, valeur)) return false;
        ajoute_mot(ligne.octets, valeur);
    }
    std::string avertissement = avertissement_forme(ligne.instruction, ligne.mode);
    if (!avertissement.empty()) signale(a, ligne.numero, false, avertissement);
    return true;
}

bool encode_donnees(assemblage& a, ligne_source& ligne) {
    bool mots = ligne.genre == LIGNE_DW;
    bool bon = true;
    for (const std::string& texte : ligne.operandes) {
        long valeur;
        bool etiquette;
        if (!evalue(a, ligne, texte, "etiquette non definie", valeur, etiquette) ||
            !dans_plage(a, ligne, valeur, mots ? PLAGE_MOT : PLAGE_OCTET, montre(texte, valeur))) {
            bon = false;
            continue;
        }
        if (mots)
            ajoute_mot(ligne.octets, valeur);
        else
            ligne.octets.push_back(static_cast<uint8_t>(valeur));
    }
    return bon;
}

void place_octets(assemblage& a, const ligne_source& ligne) {
    for (size_t i = 0; i < ligne.octets.size(); ++i) {
        long adresse = ligne.adresse + static_cast<long>(i);
        auto occupant = a.proprietaire.find(adresse);
        if (occupant != a.proprietaire.end()) {
            signale(a, ligne.numero, true,
                    "chevauchement avec la ligne " + std::to_string(occupant->second) +
                        " a l'adresse " + adresse_texte(adresse));
            return;
        }
    }
    for (size_t i = 0; i < ligne.octets.size(); ++i)
        a.proprietaire[ligne.adresse + static_cast<long>(i)] = ligne.numero;
}

// Bytes. A line with an error places nothing.
void seconde_passe(assemblage& a) {
    for (ligne_source& ligne : a.programme.lignes) {
        if (!ligne.erreur.empty()) continue;
        bool bon = true;
        if (ligne.genre == LIGNE_INSTRUCTION)
            bon = encode_instruction(a, ligne);
        else if (ligne.genre == LIGNE_DB || ligne.genre == LIGNE_DW)
            bon = encode_donnees(a, ligne);
        if (!bon) ligne.octets.clear();
        place_octets(a, ligne);
    }
}

// The file holds one block from the lowest to the highest byte placed; the loader has cleared
// the gaps to 0 already, and the file says so too.
void construit_image(assemblage& a) {
    if (a.proprietaire.empty()) return;
    long premier = a.proprietaire.begin()->first;
    long dernier = a.proprietaire.rbegin()->first;
    long taille = dernier - premier + 1;
    if (taille > TAILLE_PROGRAMME_MAX) {
        // Reported on the line of the first byte that does not fit.
        int ligne = a.proprietaire.lower_bound(premier + TAILLE_PROGRAMME_MAX)->second;
        signale(a, ligne, true,
                "programme trop grand: " + std::to_string(taille) + " octets de " +
                    adresse_texte(premier) + " a " + adresse_texte(dernier) + " (" +
                    std::to_string(TAILLE_PROGRAMME_MAX) + " au plus)");
        return;
    }
    a.programme.base = static_cast<uint16_t>(premier);
    a.programme.octets.assign(static_cast<size_t>(taille), 0);
    for (const ligne_source& ligne : a.programme.lignes)
        for (size_t i = 0; i < ligne.octets.size(); ++i)
            a.programme.octets[static_cast<size_t>(ligne.adresse - premier) + i] = ligne.octets[i];
}

std::vector<std::string> coupe_lignes(const std::string& source) {
    std::vector<std::string> lignes;
    size_t debut = 0;
    while (debut < source.size()) {
        size_t fin = source.find('\n', debut);
        if (fin == std::string::npos) fin = source.size();
        lignes.push_back(source.substr(debut, fin - debut));
        debut = fin + 1;
    }
    return lignes;
}

} // namespace

programme_asm assemble(const std::string& source) {
    assemblage a;
    std::vector<std::string> textes = coupe_lignes(source);
    for (size_t i = 0; i < textes.size(); ++i)
        a.programme.lignes.push_back(lit_ligne(textes[i], static_cast<int>(i) + 1));
    premiere_passe(a);
    seconde_passe(a);
    construit_image(a);
    // The machine starts every loaded program at address 0, whatever the file's base.
    if (a.proprietaire.count(0) == 0)
        signale(a, 0, false, "rien n'est place a l'adresse 0, ou le programme demarre");
    std::stable_sort(a.programme.diagnostics.begin(), a.programme.diagnostics.end(),
                     [](const diagnostic_asm& x, const diagnostic_asm& y) {
                         return (x.ligne == 0 ? INT_MAX : x.ligne) <
                                (y.ligne == 0 ? INT_MAX : y.ligne);
                     });
    return a.programme;
}

const symbole_asm* cherche_symbole(const programme_asm& programme, const std::string& nom) {
    for (const symbole_asm& symbole : programme.symboles)
        if (symbole.nom == nom) return &symbole;
    return nullptr;
}
