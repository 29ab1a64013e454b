// The addresses that the lines of a program have taken, as blocks: a line's bytes go in one
// block, so a search costs a logarithm of the number of lines, whatever their length, and an
// empty program costs nothing (a table of the 65536 addresses would be filled for every source).
#ifndef QUORVEL_ASM_OCCUPATION_H
#define QUORVEL_ASM_OCCUPATION_H

#include <map>

class occupation {
  public:
    // The first address of [debut, fin) that a block already holds, and that block's line.
    // False when the whole range is free.
    bool chevauchement(long debut, long fin, long& adresse, int& ligne) const;

    // Takes [debut, fin), which must be free and not empty, for the line.
    void prend(long debut, long fin, int ligne);

    bool vide() const { return blocs_.empty(); }
    long premiere() const; // the lowest and highest addresses taken, when not empty
    long derniere() const;

    // The line of the first address taken from adresse on; 0 when there is none.
    int ligne_depuis(long adresse) const;

  private:
    struct bloc {
        long fin; // past the last address
        int ligne;
    };
    std::map<long, bloc> blocs_; // by first address; blocks never overlap
};

#endif
