#include "assembleur.h"

#include "interpreteur.h"
#include "jeu.h"
#include "nombres.h"
#include "occupation.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>

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
    occupation placees;
    bool arret = false; // too many errors: nothing more is read or reported
};

void signale(assemblage& a, int ligne, bool erreur, const std::string& message) {
    if (a.arret) return;
    a.programme.diagnostics.push_back({ligne, erreur, message});
    if (erreur && ++a.programme.nb_erreurs == NB_ERREURS_MAX) a.arret = true;
}

std::string adresse_texte(long adresse) {
    char texte[8];
    std::snprintf(texte, sizeof texte, "$%04X", static_cast<unsigned>(adresse & 0xFFFF));
    return texte;
}

// The symbol that the line's name refers to: the one it defines, or the earlier one of the same
// name; -1 when the name cannot be a symbol.
int definit(assemblage& a, const ligne_source& ligne, long valeur, bool etiquette) {
    if (!est_identificateur(ligne.etiquette) || est_nom_reserve(ligne.etiquette)) return -1;
    programme_asm& p = a.programme;
    long deja = p.index.cherche(p.symboles, ligne.etiquette);
    if (deja >= 0) {
        signale(a, ligne.numero, true,
                "etiquette deja definie ligne " +
                    std::to_string(p.symboles[static_cast<size_t>(deja)].ligne) + ": " +
                    ligne.etiquette);
        return static_cast<int>(deja);
    }
    p.symboles.push_back({ligne.etiquette, valeur, etiquette, ligne.numero});
    p.index.ajoute(p.symboles, p.symboles.size() - 1);
    return static_cast<int>(p.symboles.size() - 1);
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
    long trouve = a.programme.index.cherche(a.programme.symboles, texte);
    if (trouve < 0) {
        signale(a, ligne.numero, true, std::string(si_inconnu) + ": " + texte);
        return false;
    }
    valeur = a.programme.symboles[static_cast<size_t>(trouve)].valeur;
    etiquette = a.programme.symboles[static_cast<size_t>(trouve)].etiquette;
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

// Only a blank or a comment: nothing to read, nothing to keep.
bool sans_contenu(const std::string& source, size_t debut, size_t fin) {
    while (debut < fin && std::isspace(static_cast<unsigned char>(source[debut]))) ++debut;
    return debut == fin || source[debut] == ';';
}

// Addresses and names of one line. A line that cannot be read still defines its label, so that
// its error does not bring a wave of undefined names after it.
void place_ligne(assemblage& a, ligne_source& ligne, long& compteur, ligne_asm& garde) {
    if (!ligne.erreur.empty()) signale(a, ligne.numero, true, ligne.erreur);
    long valeur = 0;
    if (ligne.genre == LIGNE_ORG && ligne.erreur.empty() &&
        valeur_immediate(a, ligne, PLAGE_ADRESSE, valeur))
        compteur = valeur;
    garde.adresse = compteur;
    if (ligne.genre == LIGNE_EQU) {
        // A refused value defines the name all the same, as 0, so that it is reported once.
        if (ligne.erreur.empty() && !valeur_immediate(a, ligne, PLAGE_CONSTANTE, valeur))
            valeur = 0;
        garde.symbole = definit(a, ligne, valeur, false);
    } else if (!ligne.etiquette.empty()) {
        garde.symbole = definit(a, ligne, compteur, true);
    }
    long taille = taille_ligne(ligne);
    if (ligne.erreur.empty() && taille > 0 && compteur + taille > FIN_MEMOIRE) {
        ligne.erreur = "le programme depasse l'adresse $FFFF";
        signale(a, ligne.numero, true, ligne.erreur);
    }
    garde.erreur = !ligne.erreur.empty();
    compteur += taille;
}

// The lines are read here, and those with bytes read again by the second pass rather than kept.
void premiere_passe(assemblage& a) {
    const std::string& source = a.programme.source;
    long compteur = 0;
    int numero = 0;
    for (size_t debut = 0; debut < source.size() && !a.arret;) {
        size_t fin = std::min(source.find('\n', debut), source.size());
        ++numero;
        if (!sans_contenu(source, debut, fin)) {
            ligne_source ligne = lit_ligne(source.substr(debut, fin - debut), numero);
            ligne_asm garde;
            garde.numero = numero;
            garde.debut = static_cast<uint32_t>(debut);
            garde.longueur = static_cast<uint32_t>(fin - debut);
            garde.genre = ligne.genre;
            place_ligne(a, ligne, compteur, garde);
            a.programme.lignes.push_back(garde);
        }
        debut = fin + 1;
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

bool place_octets(assemblage& a, const ligne_source& ligne) {
    if (ligne.octets.empty()) return true;
    long debut = ligne.adresse;
    long fin = debut + static_cast<long>(ligne.octets.size());
    if (debut < 0 || fin > FIN_MEMOIRE) return false; // the first pass refused it
    long adresse;
    int occupant;
    if (a.placees.chevauchement(debut, fin, adresse, occupant)) {
        signale(a, ligne.numero, true,
                "chevauchement avec la ligne " + std::to_string(occupant) + " a l'adresse " +
                    adresse_texte(adresse));
        return false;
    }
    a.placees.prend(debut, fin, ligne.numero);
    return true;
}

bool encode(assemblage& a, ligne_source& ligne) {
    if (ligne.genre == LIGNE_INSTRUCTION) return encode_instruction(a, ligne);
    return encode_donnees(a, ligne);
}

// Bytes. A line with an error, in its operands or in its place, places nothing.
void seconde_passe(assemblage& a) {
    programme_asm& p = a.programme;
    for (ligne_asm& garde : p.lignes) {
        if (a.arret) return;
        if (garde.erreur || (garde.genre != LIGNE_INSTRUCTION && garde.genre != LIGNE_DB &&
                             garde.genre != LIGNE_DW))
            continue;
        ligne_source ligne = lit_ligne(p.source.substr(garde.debut, garde.longueur), garde.numero);
        ligne.adresse = garde.adresse;
        if (!encode(a, ligne) || !place_octets(a, ligne)) continue;
        garde.octet = static_cast<uint32_t>(p.octets_lignes.size());
        garde.nb_octets = static_cast<uint32_t>(ligne.octets.size());
        p.octets_lignes.insert(p.octets_lignes.end(), ligne.octets.begin(), ligne.octets.end());
    }
}

// The file holds one block from the lowest to the highest byte placed; the loader has cleared
// the gaps to 0 already, and the file says so too.
void construit_image(assemblage& a) {
    if (a.placees.vide()) return;
    long premier = a.placees.premiere();
    long dernier = a.placees.derniere();
    long taille = dernier - premier + 1;
    if (taille > TAILLE_PROGRAMME_MAX) {
        // Reported on the line of the first byte that does not fit.
        signale(a, a.placees.ligne_depuis(premier + TAILLE_PROGRAMME_MAX), true,
                "programme trop grand: " + std::to_string(taille) + " octets de " +
                    adresse_texte(premier) + " a " + adresse_texte(dernier) + " (" +
                    std::to_string(TAILLE_PROGRAMME_MAX) + " au plus)");
        return;
    }
    programme_asm& p = a.programme;
    p.base = static_cast<uint16_t>(premier);
    p.octets.assign(static_cast<size_t>(taille), 0);
    for (const ligne_asm& ligne : p.lignes) {
        for (uint32_t i = 0; i < ligne.nb_octets; ++i) {
            long place = ligne.adresse + static_cast<long>(i) - premier;
            if (place >= 0 && place < taille)
                p.octets[static_cast<size_t>(place)] = p.octets_lignes[ligne.octet + i];
        }
    }
}

} // namespace

programme_asm assemble(const std::string& source) {
    assemblage a;
    if (source.size() > TAILLE_SOURCE_MAX) {
        signale(a, 0, true, "source trop grande: plus de 16 Mio");
        return std::move(a.programme);
    }
    a.programme.source = source;
    premiere_passe(a);
    seconde_passe(a);
    if (a.arret) {
        a.programme.diagnostics.push_back({0, true, "trop d'erreurs, arret"});
        ++a.programme.nb_erreurs;
    } else {
        construit_image(a);
        // The machine starts every loaded program at address 0, whatever the file's base.
        if (a.placees.vide() || a.placees.premiere() != 0)
            signale(a, 0, false, "rien n'est place a l'adresse 0, ou le programme demarre");
    }
    std::stable_sort(a.programme.diagnostics.begin(), a.programme.diagnostics.end(),
                     [](const diagnostic_asm& x, const diagnostic_asm& y) {
                         return (x.ligne == 0 ? INT_MAX : x.ligne) <
                                (y.ligne == 0 ? INT_MAX : y.ligne);
                     });
    return std::move(a.programme);
}

const symbole_asm* cherche_symbole(const programme_asm& programme, const std::string& nom) {
    long trouve = programme.index.cherche(programme.symboles, nom);
    return trouve < 0 ? nullptr : &programme.symboles[static_cast<size_t>(trouve)];
}
