// The names that a source defines, and how the assembler finds them.
#ifndef QUORVEL_ASM_SYMBOLES_H
#define QUORVEL_ASM_SYMBOLES_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct symbole_asm {
    std::string nom;
    long valeur;
    bool etiquette; // a label is an address, which a branch makes relative; a constant is not
    int ligne;
};

// Finds a symbol by its name in constant time. Open addressing over one flat array: a source may
// define millions of names, and a node per name would cost more time and memory than the names.
// It holds positions only, so a copy stays right beside a copy of the table of symbols.
class index_symboles {
  public:
    // The position of the symbol named nom in symboles, or -1.
    long cherche(const std::vector<symbole_asm>& symboles, const std::string& nom) const;

    // Records symboles[position] under its name, which must not be recorded yet.
    void ajoute(const std::vector<symbole_asm>& symboles, size_t position);

  private:
    std::vector<uint64_t> cases_; // 0: empty; else the name's hash above, position + 1 below
    size_t occupees_ = 0;

    void agrandit();
};

#endif
