#include "interpreteur.h"

#include "console.h"

#include <cstdio>
#include <cstring>

// The instruction set sheet: one row per instruction number, the instruction byte of mode 0 in
// the trailing comment. Every table below is generated from these rows, so they cannot drift.
// clang-format off
//  mnemonic length kind               modes  flags
#define JEU_INSTRUCTIONS(I)                              \
    I(LOAD,  1, GENRE_OPERANDE,    0xE, "NZ")  /* $00 */ \
    I(STORE, 1, GENRE_OPERANDE,    0xC, "NZ")  /* $04 */ \
    I(TAXL,  1, GENRE_REGISTRE,    0xF, "NZ")  /* $08 */ \
    I(TAXH,  1, GENRE_REGISTRE,    0xF, "NZ")  /* $0C */ \
    I(TXLA,  1, GENRE_REGISTRE,    0xF, "NZ")  /* $10 */ \
    I(TXHA,  1, GENRE_REGISTRE,    0xF, "NZ")  /* $14 */ \
    I(XAXL,  1, GENRE_REGISTRE,    0xF, "NZ")  /* $18 */ \
    I(XAXH,  1, GENRE_REGISTRE,    0xF, "NZ")  /* $1C */ \
    I(MUL,   1, GENRE_OPERANDE,    0xE, "NZ")  /* $20 */ \
    I(ADD,   1, GENRE_OPERANDE,    0xE, "NZ")  /* $24 */ \
    I(SUB,   1, GENRE_OPERANDE,    0xE, "NZ")  /* $28 */ \
    I(CMP,   1, GENRE_OPERANDE,    0xE, "NZ")  /* $2C */ \
    I(NEG,   1, GENRE_REGISTRE,    0xF, "NZ")  /* $30 */ \
    I(AND,   1, GENRE_OPERANDE,    0xE, "NZ")  /* $34 */ \
    I(OR,    1, GENRE_OPERANDE,    0xE, "NZ")  /* $38 */ \
    I(XOR,   1, GENRE_OPERANDE,    0xE, "NZ")  /* $3C */ \
    I(NOT,   1, GENRE_REGISTRE,    0xF, "NZ")  /* $40 */ \
    I(ASR,   1, GENRE_REGISTRE,    0xF, "NZC") /* $44 */ \
    I(LSR,   1, GENRE_REGISTRE,    0xF, "NZC") /* $48 */ \
    I(LSL,   1, GENRE_REGISTRE,    0xF, "NZC") /* $4C */ \
    I(BEQ,   1, GENRE_BRANCHEMENT, 0xF, "")    /* $50 */ \
    I(BNE,   1, GENRE_BRANCHEMENT, 0xF, "")    /* $54 */ \
    I(BLT,   1, GENRE_BRANCHEMENT, 0xF, "")    /* $58 */ \
    I(BLE,   1, GENRE_BRANCHEMENT, 0xF, "")    /* $5C */ \
    I(BGE,   1, GENRE_BRANCHEMENT, 0xF, "")    /* $60 */ \
    I(BGT,   1, GENRE_BRANCHEMENT, 0xF, "")    /* $64 */ \
    I(BC,    1, GENRE_BRANCHEMENT, 0xF, "")    /* $68 */ \
    I(BNC,   1, GENRE_BRANCHEMENT, 0xF, "")    /* $6C */ \
    I(BV,    1, GENRE_BRANCHEMENT, 0xF, "")    /* $70 */ \
    I(BNV,   1, GENRE_BRANCHEMENT, 0xF, "")    /* $74 */ \
    I(B,     1, GENRE_BRANCHEMENT, 0xF, "")    /* $78 */ \
    I(NOP,   1, GENRE_REGISTRE,    0xF, "")    /* $7C */
// clang-format on

namespace {
#define NUMERO(nom, taille, genre, modes, drapeaux) N_##nom,
enum numero_instruction { JEU_INSTRUCTIONS(NUMERO) };
#undef NUMERO
} // namespace

// Each table entry is a free function named by its mnemonic that forwards to the member.
#define FONCTION(nom, taille, genre, modes, drapeaux)                                              \
    void nom(mac_interpreteur& machine, int mode_adressage) {                                      \
        machine.nom(mode_adressage);                                                               \
    }
JEU_INSTRUCTIONS(FONCTION)
#undef FONCTION

#define TAILLE(nom, taille, genre, modes, drapeaux) taille,
#define LIBELLE(nom, taille, genre, modes, drapeaux) #nom,
#define OPERATION(nom, taille, genre, modes, drapeaux) nom,
#define GENRE(nom, taille, genre, modes, drapeaux) genre,
#define MODES(nom, taille, genre, modes, drapeaux) modes,
#define DRAPEAUX(nom, taille, genre, modes, drapeaux) drapeaux,
const int internal_mac_interpreteur_taille_instruction[NB_INSTRUCTIONS] = {
    JEU_INSTRUCTIONS(TAILLE)};
const char* const internal_mac_interpreteur_libelle_instruction[NB_INSTRUCTIONS] = {
    JEU_INSTRUCTIONS(LIBELLE)};
const operation_instruction internal_mac_interpreteur_operation[NB_INSTRUCTIONS] = {
    JEU_INSTRUCTIONS(OPERATION)};
const genre_instruction internal_mac_interpreteur_genre_instruction[NB_INSTRUCTIONS] = {
    JEU_INSTRUCTIONS(GENRE)};
const unsigned char internal_mac_interpreteur_modes_instruction[NB_INSTRUCTIONS] = {
    JEU_INSTRUCTIONS(MODES)};
const char* const internal_mac_interpreteur_drapeaux_instruction[NB_INSTRUCTIONS] = {
    JEU_INSTRUCTIONS(DRAPEAUX)};
#undef TAILLE
#undef LIBELLE
#undef OPERATION
#undef GENRE
#undef MODES
#undef DRAPEAUX

// The registers start at 0 so that the first display shows a defined machine.
mac_interpreteur::mac_interpreteur() : memoire(nullptr), PC(0), A(0), tmpA(0), CCR(0), X(0) {}

uint16_t mac_interpreteur::adresse_suivante(uint16_t adr) const {
    int n = decodage_instruction(adr);
    int longueur =
        internal_mac_interpreteur_taille_instruction[n] + longueur_operande(decodage_mode(adr));
    return static_cast<uint16_t>(adr + longueur);
}

int32_t mac_interpreteur::cellule_ecrite() const {
    int mode = decodage_mode(PC);
    if (decodage_instruction(PC) != N_STORE ||
        !(internal_mac_interpreteur_modes_instruction[N_STORE] >> mode & 1))
        return -1;
    uint16_t adresse = memoire->read_word(static_cast<uint16_t>(PC + 1));
    return static_cast<uint16_t>(adresse + (mode == MODE_INDEXE ? X : 0));
}

// The only place that knows where Z and N live in CCR.
void mac_interpreteur::raj_CCR_ZN(uint8_t res) {
    CCR = static_cast<uint8_t>(res == 0 ? CCR | CCR_Z : CCR & ~CCR_Z);
    CCR = static_cast<uint8_t>(res & 0x80 ? CCR | CCR_N : CCR & ~CCR_N);
}

// A refused mode is rare: its message stays out of line so that the frame below stays small
// enough to be inlined into the nine routines.
__attribute__((noinline, cold)) static void mode_refuse(int n, int mode_adressage) {
    console_lignef("MODE %s anormal pour instruction %s ...",
                   mode_adressage == MODE_INHERENT ? "INHERENT" : "IMMEDIAT",
                   internal_mac_interpreteur_libelle_instruction[n]);
}

// The frame of the operand instructions. In an accepted mode, gives the operand's address (the
// byte after the instruction in mode 1) and moves PC past the instruction. In a refused mode, only
// reports and skips the instruction by its mode bits. Mode 2 and 3 operands come from read_word,
// so an operand word at $FFFF reads as 0.
inline bool mac_interpreteur::operande(int n, int mode_adressage, uint16_t& adresse) {
    uint16_t a = PC;
    PC = static_cast<uint16_t>(a + internal_mac_interpreteur_taille_instruction[n] +
                               longueur_operande(mode_adressage));
    if (!(internal_mac_interpreteur_modes_instruction[n] >> mode_adressage & 1)) {
        mode_refuse(n, mode_adressage);
        return false;
    }
    uint16_t premier = static_cast<uint16_t>(a + 1);
    if (mode_adressage == MODE_IMMEDIAT)
        adresse = premier;
    else
        adresse = static_cast<uint16_t>(memoire->read_word(premier) +
                                        (mode_adressage == MODE_INDEXE ? X : 0));
    return true;
}

void mac_interpreteur::LOAD(int mode_adressage) {
    uint16_t adresse;
    if (!operande(N_LOAD, mode_adressage, adresse)) return;
    A = memoire->read_byte(adresse);
    raj_CCR_ZN(A);
}

void mac_interpreteur::STORE(int mode_adressage) {
    uint16_t adresse;
    if (!operande(N_STORE, mode_adressage, adresse)) return;
    memoire->write_byte(adresse, A);
    raj_CCR_ZN(A);
}

// The operand instructions keep C and V: no carry, borrow or overflow is ever recorded.
#define OPERATION_ACCUMULATEUR(nom, expression)                                                    \
    void mac_interpreteur::nom(int mode_adressage) {                                               \
        uint16_t adresse;                                                                          \
        if (!operande(N_##nom, mode_adressage, adresse)) return;                                   \
        uint8_t M = memoire->read_byte(adresse);                                                   \
        A = static_cast<uint8_t>(expression);                                                      \
        raj_CCR_ZN(A);                                                                             \
    }
OPERATION_ACCUMULATEUR(MUL, A* M) // low byte of the product, the high byte is lost
OPERATION_ACCUMULATEUR(ADD, A + M)
OPERATION_ACCUMULATEUR(SUB, A - M)
OPERATION_ACCUMULATEUR(AND, A& M)
OPERATION_ACCUMULATEUR(OR, A | M)
OPERATION_ACCUMULATEUR(XOR, A ^ M)
#undef OPERATION_ACCUMULATEUR

void mac_interpreteur::CMP(int mode_adressage) {
    uint16_t adresse;
    if (!operande(N_CMP, mode_adressage, adresse)) return;
    raj_CCR_ZN(static_cast<uint8_t>(A - memoire->read_byte(adresse)));
}

// Register instructions ignore their mode bits: one byte, whatever the byte says.
void mac_interpreteur::TAXL(int) {
    X = static_cast<uint16_t>((X & 0xFF00) | A);
    raj_CCR_ZN(A);
    avance(N_TAXL);
}

void mac_interpreteur::TAXH(int) {
    X = static_cast<uint16_t>(A << 8 | (X & 0x00FF));
    raj_CCR_ZN(X & 0xFF); // flags of the low byte, which TAXH leaves as it was, not of A
    avance(N_TAXH);
}

void mac_interpreteur::TXLA(int) {
    A = X & 0xFF;
    raj_CCR_ZN(A);
    avance(N_TXLA);
}

void mac_interpreteur::TXHA(int) {
    A = X >> 8;
    raj_CCR_ZN(A);
    avance(N_TXHA);
}

void mac_interpreteur::XAXL(int) {
    uint8_t ancien_xl = X & 0xFF;
    X = static_cast<uint16_t>((X & 0xFF00) | A);
    A = ancien_xl;
    raj_CCR_ZN(A);
    avance(N_XAXL);
}

void mac_interpreteur::XAXH(int) {
    uint8_t ancien_xh = X >> 8;
    X = static_cast<uint16_t>(A << 8 | (X & 0x00FF));
    A = ancien_xh;
    raj_CCR_ZN(A);
    avance(N_XAXH);
}

void mac_interpreteur::NEG(int) {
    A = static_cast<uint8_t>(~A + 1);
    raj_CCR_ZN(A);
    avance(N_NEG);
}

// A logical negation, not the bitwise complement: 0 becomes 1, anything else 0.
void mac_interpreteur::NOT(int) {
    A = A == 0 ? 1 : 0;
    raj_CCR_ZN(A);
    avance(N_NOT);
}

// The shifts are the only instructions that write C: first C, then the shifted A and its flags.
void mac_interpreteur::decale(uint8_t resultat, bool retenue) {
    CCR = static_cast<uint8_t>(retenue ? CCR | CCR_C : CCR & ~CCR_C);
    A = resultat;
    raj_CCR_ZN(A);
}

void mac_interpreteur::ASR(int) {
    decale(static_cast<uint8_t>((A >> 1) | (A & 0x80)), A & 0x01);
    avance(N_ASR);
}

void mac_interpreteur::LSR(int) {
    decale(static_cast<uint8_t>(A >> 1), A & 0x01);
    avance(N_LSR);
}

void mac_interpreteur::LSL(int) {
    decale(static_cast<uint8_t>(A << 1), A & 0x80);
    avance(N_LSL);
}

void mac_interpreteur::NOP(int) {
    avance(N_NOP);
}

// A taken branch counts its displacement from its own instruction byte, not from the next
// instruction: 0 loops on the branch itself. The displacement word at $FFFF reads as 0.
void mac_interpreteur::branche(int n, bool condition) {
    uint16_t a = PC;
    if (condition)
        PC = static_cast<uint16_t>(a + memoire->read_word(static_cast<uint16_t>(a + 1)));
    else
        PC = static_cast<uint16_t>(a + internal_mac_interpreteur_taille_instruction[n] + 2);
}

// The signed branches look at N and Z only: V plays no part, and no instruction sets it.
void mac_interpreteur::BEQ(int) {
    branche(N_BEQ, CCR & CCR_Z);
}
void mac_interpreteur::BLT(int) {
    branche(N_BLT, CCR & CCR_N);
}
void mac_interpreteur::BLE(int) {
    branche(N_BLE, CCR & (CCR_N | CCR_Z));
}
void mac_interpreteur::BGE(int) {
    branche(N_BGE, !(CCR & CCR_N));
}
void mac_interpreteur::BGT(int) {
    branche(N_BGT, !(CCR & (CCR_N | CCR_Z)));
}
void mac_interpreteur::BC(int) {
    branche(N_BC, CCR & CCR_C);
}
void mac_interpreteur::BNC(int) {
    branche(N_BNC, !(CCR & CCR_C));
}
void mac_interpreteur::BV(int) {
    branche(N_BV, CCR & CCR_V);
}
void mac_interpreteur::BNV(int) {
    branche(N_BNV, !(CCR & CCR_V));
}
void mac_interpreteur::B(int) {
    branche(N_B, true);
}

void mac_interpreteur::BNE(int) {
    bool non_egal = !(CCR & CCR_Z);
    console_ligne(non_egal ? "non egalite!" : "egalite!");
    branche(N_BNE, non_egal);
}

// The text depends on the mode bits only, like adresse_suivante: the operand bytes are read one
// by one, so an operand at $FFFE shows the bytes at $FFFF and $0000.
uint16_t mac_interpreteur::desassemblage_instruction(uint16_t adr, char* chaine) const {
    int n = decodage_instruction(adr);
    const char* libelle = internal_mac_interpreteur_libelle_instruction[n];
    uint8_t premier = memoire->read_byte(static_cast<uint16_t>(adr + 1));
    uint8_t second = memoire->read_byte(static_cast<uint16_t>(adr + 2));
    int16_t mot = static_cast<int16_t>(premier << 8 | second);
    switch (decodage_mode(adr)) {
    case MODE_INHERENT: std::strcpy(chaine, libelle); break;
    case MODE_IMMEDIAT:
        std::sprintf(chaine, "%sI %d", libelle, static_cast<int8_t>(premier));
        break;
    case MODE_DIRECT: std::sprintf(chaine, "%s %d", libelle, mot); break;
    default: std::sprintf(chaine, "%s %d,X", libelle, mot); break;
    }
    console_lignef("%d %s", n, chaine);
    return adresse_suivante(adr);
}
