; erreur.s - une faute de frappe et un operande hors limites.
PORTC   EQU $1004
        ORG 0
debut:  LAOD $30
        ADDI 300
        STORE PORTC
fin:    B fin
