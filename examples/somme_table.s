; somme_table.s - somme d'une table d'octets en adressage indexe.
;
; X sert d'indice: ADD table,X lit l'octet a l'adresse table + X.
; X n'est accessible qu'a travers A: TAXL et TAXH y copient A, TXLA le
; relit. La somme est gardee sur 8 bits (modulo 256) et s'affiche sur les
; LED du port C. CMPI puis BNE font la boucle: la console montre
; "non egalite!" a chaque tour, puis "egalite!" a la sortie.

PORTC   EQU $1004
TAILLE  EQU 8           ; nombre d'octets de la table

        ORG 0
debut:  LOADI 0
        TAXH            ; octet haut de X a 0
        TAXL            ; octet bas de X a 0: X = 0
        STORE somme
boucle: LOAD somme
        ADD table,X     ; octet numero X de la table
        STORE somme
        TXLA
        ADDI 1
        TAXL            ; X = X + 1
        CMPI TAILLE
        BNE boucle      ; encore des octets a ajouter
        LOAD somme
        STORE PORTC
fin:    B fin

table:  DB 3, 14, 15, 92, 65, 35, 89, 79
somme:  DB 0
