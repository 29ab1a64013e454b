; suppose_a_nul.s - ajoute les deux octets a A sans l'avoir mis a 0: juste seulement si le
; chargement laisse A a 0.
PORTC   EQU $1004
        ORG 0
debut:  ADD $30
        ADD $31
        STORE $32
        STORE PORTC
fin:    B fin
