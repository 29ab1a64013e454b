#include "texte_aide.h"

#include "coupure.h"

#include <FL/Fl_Browser.H>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>

// By instruction number, as the processor's tables: what the instruction does. M is the operand
// byte that the mode designates; "saute" moves PC by the displacement.
const char* const effet_instruction[NB_INSTRUCTIONS] = {
    "A = M",                          // LOAD
    "M = A",                          // STORE
    "XL = A (octet bas de X)",        // TAXL
    "XH = A ; N, Z selon XL",         // TAXH
    "A = XL",                         // TXLA
    "A = XH",                         // TXHA
    "echange A et XL",                // XAXL
    "echange A et XH",                // XAXH
    "A = A x M, octet bas",           // MUL
    "A = A + M, modulo 256",          // ADD
    "A = A - M, modulo 256",          // SUB
    "N, Z de A - M ; A garde",        // CMP
    "A = -A (complement a 2)",        // NEG
    "A = A et M, bit a bit",          // AND
    "A = A ou M, bit a bit",          // OR
    "A = A ou exclusif M",            // XOR
    "A = 1 si A = 0, sinon 0",        // NOT
    "A >> 1, bit 7 garde, C = bit 0", // ASR
    "A >> 1, bit 7 = 0, C = bit 0",   // LSR
    "A << 1, bit 0 = 0, C = bit 7",   // LSL
    "saute si Z = 1 (egal)",          // BEQ
    "saute si Z = 0 (different)",     // BNE
    "saute si N = 1 (inferieur)",     // BLT
    "saute si N = 1 ou Z = 1",        // BLE
    "saute si N = 0",                 // BGE
    "saute si N = 0 et Z = 0",        // BGT
    "saute si C = 1",                 // BC
    "saute si C = 0",                 // BNC
    "saute si V = 1",                 // BV
    "saute si V = 0",                 // BNV
    "saute toujours",                 // B
    "ne fait rien",                   // NOP
};

namespace {

// A line that starts with '@' is read by the browser as format codes: "@b" bold, "@c" centred,
// "@f" fixed pitch. Text of our own never starts with '@'. Long lines are wrapped to the window.
const char* const TEXTE_AVANT[] = {
    "@b@cMachine a accumulateur : aide",
    "",
    "@bLa fenetre principale",
    "  Fichier : A propos de..., Ouvrir fichier binaire (un programme .bin ou une source .s), "
    "Quitter.",
    "  Bouton rond (bleu) : remise a zero, PC = 0, et arret de l'execution continue.",
    "  Carre (rouge) : arret de l'execution continue.",
    "  Triangle (vert) : execution continue, a la vitesse choisie.",
    "  Fleche ->| (verte) : execute une seule instruction.",
    "  Bouton a droite de la fleche : retour arriere d'une instruction.",
    "  A, X et PC se modifient en hexadecimal dans leurs champs ; la valeur tapee est prise en "
    "compte a la commande suivante. tmpA et CCR ne se modifient pas.",
    "  Apres chaque instruction, les registres qui ont change s'ecrivent en rouge et la ligne du "
    "dump de l'octet ecrit est surlignee, jusqu'a l'instruction suivante, une remise a zero ou un "
    "chargement.",
    "  DESASSEMBLAGE : la ligne de PC est marquee \"->\" sur fond orange, une ligne avec un point "
    "d'arret commence par \"*\" ; la fleche vers le bas avance d'une instruction, la fleche "
    "droite revient a PC.",
    "  DUMP MEMOIRE : le curseur et ses deux fleches deplacent la vue de 8 octets.",
    "  Ports A ($1000), B ($1002) et C ($1004) : bouton rouge = bit de sortie, bouton vert = bit "
    "d'entree ; clair quand le bit vaut 1, fonce quand il vaut 0. Un clic sur un bouton vert "
    "inverse ce bit.",
    "  AIDE... : cette fenetre.",
    "",
    "@bTouches",
    "  F5 : execution continue.   F7 : une instruction.   F8 : retour arriere.",
    "  F9 : point d'arret a PC (pose ou enleve).   Maj+F9 : enleve tous les points d'arret.",
    "  F11 : arret.   F12 : remise a zero.",
    "  Ctrl+O : ouvrir un fichier.   Ctrl+R : recharger le dernier programme (une source est "
    "relue et assemblee a nouveau).",
    "  Ctrl+G : aller a une adresse dans le dump.   Ctrl+B : point d'arret a une adresse ou a une "
    "etiquette de la source chargee.",
    "  Les touches marchent quel que soit le champ actif ; elles ne font rien tant qu'une fenetre "
    "A propos, le choix de fichier ou une alerte est ouverte.",
    "",
    "@bPoints d'arret",
    "  Un clic sur une ligne du desassemblage pose ou enleve un point d'arret a son adresse ; F9 "
    "fait de meme a PC, Ctrl+B a une adresse ($1F ou 31) ou a une etiquette.",
    "  L'execution continue s'arrete quand une instruction amene PC sur un point d'arret ; la "
    "console ecrit alors \"point d'arret en $xxxx\". Relancer execute d'abord l'instruction du "
    "point d'arret ; le pas a pas ne s'arrete sur rien.",
    "  Les points d'arret restent apres une remise a zero ou un rechargement ; ouvrir un autre "
    "fichier les efface. Maj+F9 les enleve tous et les liste sur la console.",
    "",
    "@bRetour arriere",
    "  F8 ou son bouton defont la derniere instruction executee : registres, memoire et ports "
    "redeviennent ce qu'ils etaient juste avant, et ce qui a ete modifie depuis (remplissage, "
    "registre tape, interrupteur) est defait aussi.",
    "  L'historique garde au moins le dernier million d'instructions ; ouvrir ou recharger un "
    "programme le vide. La console dit combien de pas restent a defaire.",
    "",
    "@bVitesse",
    "  Le reglage Vitesse, a droite des ports, rythme l'execution continue : max (une "
    "instruction par tour, le plus vite possible), puis 1000, 100, 20, 5 ou 1 instructions par "
    "seconde.",
    "",
    "@bRemplissage de la memoire",
    "  adresse : premiere case ; valeur : octet a ecrire ; x : nombre d'octets.",
    "  Nombres en decimal (12, -3) ou en hexadecimal apres un $ ($1F, $ff).",
    "  Valider avec le bouton a droite de x ou avec la touche Entree.",
    "  Exemple : $FFFF, $AB et 2 ecrivent $AB en $FFFF puis en $0000.",
    "",
    "@bFichiers",
    "  Ouvrir fichier binaire montre les programmes (.bin) et les sources (.s). Une source est "
    "assemblee puis chargee comme un programme ; si elle a des erreurs, rien ne change, une alerte "
    "montre les premieres et la console les donne toutes.",
    "  Un programme peut aussi etre donne au lancement : quorvel PROGRAMME.",
    "  Programme .bin : en-tete de 4 octets, poids fort d'abord : la taille du fichier, en-tete "
    "compris (16 bits signes), puis l'adresse de chargement (16 bits) ; viennent ensuite les "
    "octets du programme.",
    "  Le chargement efface la memoire et met PC a 0 ; A, X et CCR sont gardes.",
    "",
    "@bLe langage de l'assembleur (.s)",
    "  Une ligne : [etiquette:] instruction ou directive [; commentaire].",
    "  Modes : NEG (sans operande), ADDI 5 (immediat : I colle au mnemonique), LOAD 4096 "
    "(direct), LOAD table,X (indexe).",
    "  Une valeur est un nombre decimal, un nombre hexadecimal apres un $, une etiquette ou une "
    "constante.",
    "  Directives : NOM EQU valeur (constante), ORG adresse (place la suite), DB octets, DW mots "
    "de 16 bits.",
    "  Un branchement vers une etiquette est code par le deplacement depuis son propre octet.",
    "  Exemple : boucle: LOAD compte / ADDI 1 / STORE compte / B boucle",
    "",
    "@bJeu d'instructions",
    "  Octet d'instruction = 4 x numero + mode, suivi de 0, 1 ou 2 octets : mode 0 sans "
    "operande ; mode 1 immediat, un octet (LOADI 5) ; mode 2 direct, adresse de 16 bits "
    "(LOAD 4096) ; mode 3 indexe, adresse + X (LOAD 4096,X).",
    "  M : l'octet que designe le mode. Les branchements lisent toujours un deplacement de 16 "
    "bits, compte depuis leur propre octet d'instruction : \"saute\" ajoute ce deplacement a PC.",
    "  Drapeaux du CCR : N negatif, Z zero, V debordement, C retenue ; la colonne CCR donne ceux "
    "que l'instruction change.",
    "",
};

// The columns of the instruction table: at full width a row fits the window, in fixed pitch.
constexpr int LARGEUR_MODES = 23;

int largeur_effets() {
    size_t largeur = 0;
    for (const char* effet : effet_instruction) largeur = std::max(largeur, std::strlen(effet));
    return static_cast<int>(largeur);
}

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

std::string entete_instructions() {
    char ligne[160];
    std::snprintf(ligne, sizeof ligne, "@f@b%-5s %-4s %-*s %-*s %s", "instr", "code", LARGEUR_MODES,
                  "modes", largeur_effets(), "effet", "CCR");
    return ligne;
}

} // namespace

std::string ligne_instruction(int n) {
    const char* drapeaux = internal_mac_interpreteur_drapeaux_instruction[n];
    char octet[8];
    std::snprintf(octet, sizeof octet, "$%02X", 4 * n);
    char ligne[160];
    std::snprintf(ligne, sizeof ligne, "@f%-5s %-4s %-*s %-*s %s",
                  internal_mac_interpreteur_libelle_instruction[n], octet, LARGEUR_MODES,
                  modes_acceptes(n).c_str(), largeur_effets(), effet_instruction[n],
                  *drapeaux ? drapeaux : "-");
    return ligne;
}

std::vector<std::string> lignes_aide() {
    std::vector<std::string> lignes(std::begin(TEXTE_AVANT), std::end(TEXTE_AVANT));
    lignes.push_back(entete_instructions());
    for (int n = 0; n < NB_INSTRUCTIONS; n++) lignes.push_back(ligne_instruction(n));
    return lignes;
}

void remplit_texte_aide(Fl_Browser* navigateur) {
    int largeur = largeur_utile(navigateur);
    mesure_ligne mesure = [navigateur](const std::string& l) {
        return largeur_ligne(navigateur, l);
    };
    navigateur->clear();
    for (const std::string& ligne : lignes_aide())
        for (const std::string& morceau : coupe_ligne(ligne, largeur, mesure))
            navigateur->add(morceau.c_str());
}
