; juste.s - la somme des octets $30 et $31, rangee en $32 et montree sur le port C.
PORTC   EQU $1004
        ORG 0
debut:  LOAD $30
        ADD $31
        STORE $32
        STORE PORTC
fin:    B fin
