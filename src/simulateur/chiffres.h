// Numbers written into a caller's buffer as printf would write them with "%<largeur>x" and
// "%<largeur>d", without printf: the views format some fifty numbers at every pass of run mode.
#ifndef QUORVEL_CHIFFRES_H
#define QUORVEL_CHIFFRES_H

// Each writes right-aligned digits, padded with spaces to largeur places (more when the number
// needs them), and a NUL; returns the position of the NUL.
inline char* ecrit_chiffres(char* p, unsigned int valeur, unsigned int base, int largeur) {
    char chiffres[12];
    int n = 0;
    do {
        chiffres[n++] = "0123456789abcdef"[valeur % base];
        valeur /= base;
    } while (valeur != 0);
    for (int i = n; i < largeur; i++) *p++ = ' ';
    while (n > 0) *p++ = chiffres[--n];
    *p = '\0';
    return p;
}

inline char* ecrit_hexa(char* p, unsigned int valeur, int largeur) {
    return ecrit_chiffres(p, valeur, 16, largeur);
}

// For the registers' values, which are never negative.
inline char* ecrit_decimal(char* p, unsigned int valeur, int largeur) {
    return ecrit_chiffres(p, valeur, 10, largeur);
}

#endif
