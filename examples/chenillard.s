; chenillard.s - une LED qui va et vient sur le port C, par decalages.
;
; LSL decale A d'un bit vers la gauche, LSR d'un bit vers la droite: la
; LED allumee monte du bit 0 au bit 7, puis redescend au bit 0, et ainsi
; de suite. Une petite attente separe deux positions.

PORTC   EQU $1004
ATTENTE EQU 10          ; tours de la boucle d'attente (1 a 127)

        ORG 0
debut:  LOADI 1
        STORE lumiere   ; LED du bit 0 pour commencer

; vers la gauche, jusqu'au bit 7
gauche: LOAD lumiere
        STORE PORTC
        LOADI ATTENTE
pause1: SUBI 1
        BGT pause1
        LOAD lumiere
        LSL
        STORE lumiere
        CMPI $80
        BEQ droite      ; bit 7 atteint: demi-tour
        B gauche

; vers la droite, jusqu'au bit 0
droite: LOAD lumiere
        STORE PORTC
        LOADI ATTENTE
pause2: SUBI 1
        BGT pause2
        LOAD lumiere
        LSR
        STORE lumiere
        CMPI 1
        BEQ gauche      ; bit 0 atteint: demi-tour
        B droite

lumiere: DB 0           ; la LED allumee
