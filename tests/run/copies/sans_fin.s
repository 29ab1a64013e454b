; sans_fin.s - le bon resultat, mais le programme repart au debut au lieu de s'arreter.
PORTC   EQU $1004
        ORG 0
debut:  LOAD $30
        ADD $31
        STORE $32
        STORE PORTC
        B debut
