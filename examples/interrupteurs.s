; interrupteurs.s - recopie les interrupteurs du port B sur les LED du port C.
;
; Le port B ($1002) est tout en entree: cliquer sur un de ses boutons
; inverse le bit correspondant. Le programme relit le port B sans fin et
; ecrit la valeur lue dans le port C ($1004): chaque LED suit son
; interrupteur.

PORTB   EQU $1002       ; interrupteurs
PORTC   EQU $1004       ; LED

        ORG 0
boucle: LOAD PORTB      ; lecture des huit interrupteurs
        STORE PORTC     ; meme valeur sur les huit LED
        B boucle
