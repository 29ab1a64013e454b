// The processor of the accumulator machine: registers, decoding, the 32 instructions and the
// disassembler, driven by parallel tables indexed by instruction number.
#ifndef QUORVEL_INTERPRETEUR_H
#define QUORVEL_INTERPRETEUR_H

#include "memoire.h"

#include <cstdint>

class mac_interpreteur;

// An instruction byte: bit 7 ignored, bits 6-2 the instruction number, bits 1-0 the mode.
constexpr int NB_INSTRUCTIONS = 32;
enum mode_adressage_machine {
    MODE_INHERENT = 0,
    MODE_IMMEDIAT = 1,
    MODE_DIRECT = 2,
    MODE_INDEXE = 3
};

// The kind of an instruction says how it treats the mode bits when it executes.
enum genre_instruction {
    GENRE_OPERANDE,    // reads or writes an operand by mode; refuses the modes it does not accept
    GENRE_REGISTRE,    // ignores the mode bits, always one byte long
    GENRE_BRANCHEMENT, // ignores the mode bits, always reads a 16-bit displacement
};

typedef void (*operation_instruction)(mac_interpreteur&, int);

// The instruction set, one entry per instruction number (the instruction byte is 4n + mode).
extern const int internal_mac_interpreteur_taille_instruction[NB_INSTRUCTIONS];
extern const char* const internal_mac_interpreteur_libelle_instruction[NB_INSTRUCTIONS];
extern const operation_instruction internal_mac_interpreteur_operation[NB_INSTRUCTIONS];
// Descriptions of the same rows, for the assembler and the help text.
extern const genre_instruction internal_mac_interpreteur_genre_instruction[NB_INSTRUCTIONS];
// Bit m set: the instruction does its work in mode m (an operand instruction prints a message in
// the other modes).
extern const unsigned char internal_mac_interpreteur_modes_instruction[NB_INSTRUCTIONS];
// The flags that the instruction may change, as letters of "NZVC".
extern const char* const internal_mac_interpreteur_drapeaux_instruction[NB_INSTRUCTIONS];

// Bytes after the instruction byte, by mode.
inline int longueur_operande(int mode) {
    return mode == MODE_INHERENT ? 0 : mode == MODE_IMMEDIAT ? 1 : 2;
}

class mac_interpreteur {
  public:
    mem_64k* memoire;
    uint16_t PC;
    uint8_t A;
    uint8_t tmpA; // readable only: nothing writes it after construction
    uint8_t CCR;  // ____NZVC
    uint16_t X;

    static constexpr uint8_t CCR_N = 0x08;
    static constexpr uint8_t CCR_Z = 0x04;
    static constexpr uint8_t CCR_V = 0x02;
    static constexpr uint8_t CCR_C = 0x01;

    mac_interpreteur();

    void learn_mem(mem_64k* memoire_ref) { memoire = memoire_ref; }
    // The machine's reset moves PC only.
    void init_registers() { PC = 0; }

    int decodage_instruction(uint16_t adr) const { return memoire->read_byte(adr) >> 2 & 0x1F; }
    int decodage_mode(uint16_t adr) const { return memoire->read_byte(adr) & 3; }
    uint16_t adresse_suivante(uint16_t adr) const;
    // The memory cell that the instruction at PC will write, or -1 when it writes none (STORE is
    // the only instruction that writes memory).
    int32_t cellule_ecrite() const;
    // Writes the text of the instruction at adr into chaine (15 bytes at least) and its trace
    // line to the console; returns the address of the next instruction.
    uint16_t desassemblage_instruction(uint16_t adr, char* chaine) const;

    // The hot path of a running program, inlined into its caller: one table call per instruction.
    int step() {
        uint8_t octet = memoire->read_byte(PC);
        internal_mac_interpreteur_operation[octet >> 2 & 0x1F](*this, octet & 3);
        return 0;
    }

    uint16_t PC_value() const { return PC; }
    uint8_t A_value() const { return A; }
    uint8_t tmpA_value() const { return tmpA; }
    uint8_t CCR_value() const { return CCR; }
    uint16_t X_value() const { return X; }
    void set_PC_value(uint16_t v) { PC = v; }
    void set_A_value(uint8_t v) { A = v; }
    void set_X_value(uint16_t v) { X = v; }

    void raj_CCR_ZN(uint8_t res);

    void LOAD(int mode_adressage);
    void STORE(int mode_adressage);
    void TAXL(int mode_adressage);
    void TAXH(int mode_adressage);
    void TXLA(int mode_adressage);
    void TXHA(int mode_adressage);
    void XAXL(int mode_adressage);
    void XAXH(int mode_adressage);
    void MUL(int mode_adressage);
    void ADD(int mode_adressage);
    void SUB(int mode_adressage);
    void CMP(int mode_adressage);
    void NEG(int mode_adressage);
    void AND(int mode_adressage);
    void OR(int mode_adressage);
    void XOR(int mode_adressage);
    void NOT(int mode_adressage);
    void ASR(int mode_adressage);
    void LSR(int mode_adressage);
    void LSL(int mode_adressage);
    void BEQ(int mode_adressage);
    void BNE(int mode_adressage);
    void BLT(int mode_adressage);
    void BLE(int mode_adressage);
    void BGE(int mode_adressage);
    void BGT(int mode_adressage);
    void BC(int mode_adressage);
    void BNC(int mode_adressage);
    void BV(int mode_adressage);
    void BNV(int mode_adressage);
    void B(int mode_adressage);
    void NOP(int mode_adressage);

  private:
    bool operande(int n, int mode_adressage, uint16_t& adresse);
    void avance(int n) {
        PC = static_cast<uint16_t>(PC + internal_mac_interpreteur_taille_instruction[n]);
    }
    void branche(int n, bool condition);
    void decale(uint8_t resultat, bool retenue);
};

#endif
