#include "texte_aide.h"

#include "interpreteur.h"

#include <FL/Fl_Browser.H>

#include <cstdio>
#include <string>

namespace {

// A line that starts with '@' is read by the browser as format codes: "@b" bold, "@c" centred,
// "@f" fixed pitch. Text of our own never starts with '@'.
const char* const TEXTE_AVANT[] = {
    "@b@cMachine a accumulateur : aide",
    "",
    "@bLa fenetre principale",
    "  Fichier : A propos de..., Ouvrir fichier binaire, Quitter.",
    "  Bouton rond (bleu) : remise a zero, PC = 0, et arret de l'execution continue.",
    "  Carre (rouge) : arret de l'execution continue.",
    "  Triangle (vert) : execution continue, une instruction a chaque tour.",
    "  Fleche ->| (verte) : execute une seule instruction.",
    "  A, X et PC se modifient en hexadecimal dans leurs champs ; la valeur tapee",
    "     est prise en compte a la commande suivante. tmpA et CCR ne se modifient pas.",
    "  DESASSEMBLAGE : la ligne de PC est marquee \"->\" sur fond orange ;",
    "     la fleche vers le bas avance d'une instruction, la fleche droite revient a PC.",
    "  DUMP MEMOIRE : le curseur et ses deux fleches deplacent la vue de 8 octets.",
    "  Ports A ($1000), B ($1002) et C ($1004) : bouton rouge = bit de sortie,",
    "     bouton vert = bit d'entree ; un clic sur un bouton vert inverse ce bit.",
    "  AIDE... : cette fenetre.",
    "",
    "@bRemplissage de la memoire",
    "  adresse : premiere case ; valeur : octet a ecrire ; x : nombre d'octets.",
    "  Nombres en decimal (12, -3) ou en hexadecimal apres un $ ($1F, $ff).",
    "  Valider avec le bouton a droite de x ou avec la touche Entree.",
    "  Exemple : $FFFF, $AB et 2 ecrivent $AB en $FFFF puis en $0000.",
    "",
    "@bFichier programme (.bin)",
    "  En-tete de 4 octets, poids fort d'abord : la taille du fichier, en-tete",
    "     compris (16 bits signes), puis l'adresse de chargement (16 bits) ;",
    "     viennent ensuite les octets du programme.",
    "  Le chargement efface la memoire et met PC a 0 ; A, X et CCR sont gardes.",
    "",
    "@bJeu d'instructions",
    "  Octet d'instruction = 4 x numero + mode, suivi de 0, 1 ou 2 octets :",
    "     mode 0 sans operande ; mode 1 immediat, un octet (LOADI 5) ;",
    "     mode 2 direct, adresse de 16 bits (LOAD 4096) ;",
    "     mode 3 indexe, adresse + X (LOAD 4096,X).",
    "  Les branchements lisent toujours un deplacement de 16 bits,",
    "     compte depuis leur propre octet d'instruction.",
    "  Drapeaux du CCR : N negatif, Z zero, V debordement, C retenue.",
    "",
    "@f@bmnemonique octet  modes                      drapeaux",
};

std::string modes_acceptes(int n) {
    switch (internal_mac_interpreteur_genre_instruction[n]) {
    case GENRE_REGISTRE: return "sans operande";
    case GENRE_BRANCHEMENT: return "deplacement 16 bits";
    default: break;
    }
    static const char* const noms[] = {"inherent", "immediat", "direct", "indexe"};
    std::string texte;
    for (int mode = MODE_INHERENT; mode <= MODE_INDEXE; mode++) {
        if (!(internal_mac_interpreteur_modes_instruction[n] >> mode & 1)) continue;
        if (!texte.empty()) texte += ' ';
        texte += noms[mode];
    }
    return texte;
}

std::string ligne_instruction(int n) {
    const char* drapeaux = internal_mac_interpreteur_drapeaux_instruction[n];
    char ligne[128];
    std::snprintf(ligne, sizeof ligne, "@f%-10s $%02X    %-26s %s",
                  internal_mac_interpreteur_libelle_instruction[n], 4 * n,
                  modes_acceptes(n).c_str(), *drapeaux ? drapeaux : "-");
    return ligne;
}

} // namespace

void remplit_texte_aide(Fl_Browser* navigateur) {
    for (const char* ligne : TEXTE_AVANT) navigateur->add(ligne);
    for (int n = 0; n < NB_INSTRUCTIONS; n++) navigateur->add(ligne_instruction(n).c_str());
}
