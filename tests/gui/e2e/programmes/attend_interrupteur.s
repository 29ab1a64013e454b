; Attend que l'interrupteur du bit 0 du port B soit ferme : tant qu'il est ouvert, BNE ecrit
; "non egalite!" a chaque tour ; ferme, il ecrit "egalite!" et B recommence l'attente.
portb   EQU $1002

attente: LOAD portb
         CMPI 1
         BNE attente
         B attente
