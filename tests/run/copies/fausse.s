; fausse.s - une soustraction au lieu de la somme.
PORTC   EQU $1004
        ORG 0
debut:  LOAD $30
        SUB $31
        STORE $32
        STORE PORTC
fin:    B fin
