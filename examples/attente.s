; attente.s - attend l'interrupteur 0 du port B avant d'allumer les LED.
;
; Tant que le bit 0 du port B ($1002) vaut 0, CMP trouve une difference
; et BNE reboucle: la console affiche "non egalite!" a chaque tour.
; Cliquez sur le bouton le plus a droite du port B: BNE affiche
; "egalite!" et laisse passer, et les huit LED du port C s'allument.

PORTB   EQU $1002
PORTC   EQU $1004

        ORG 0
debut:  LOADI 0
        STORE PORTC     ; LED eteintes pendant l'attente
attente: LOAD PORTB
        ANDI 1          ; seul l'interrupteur 0 compte
        CMPI 1
        BNE attente     ; pas encore: on relit
        LOADI $FF
        STORE PORTC     ; toutes les LED allumees
fin:    B fin
