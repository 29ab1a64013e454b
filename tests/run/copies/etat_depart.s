; etat_depart.s - note ce que le programme trouve au depart: A en $40, X en $41-$42, puis
; 1 en $43 si C est leve et 1 en $44 si V est leve.
        ORG 0
        STORE $40
        TXHA
        STORE $41
        TXLA
        STORE $42
        LOADI 0
        BC retenue
        B suite
retenue: LOADI 1
suite:  STORE $43
        LOADI 0
        BV deborde
        B fin_v
deborde: LOADI 1
fin_v:  STORE $44
fin:    B fin
