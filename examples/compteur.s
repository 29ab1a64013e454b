; compteur.s - un compteur affiche sur les LED du port C.
;
; Le port C ($1004) est tout en sortie: chaque bit de la valeur ecrite
; allume ou eteint une LED. Le compteur passe de 0 a 255 puis repart a 0
; (ADD ne garde pas de retenue). Une petite attente entre deux valeurs
; laisse le temps de voir les LED changer en mode continu.
;
; Un chargement ne remet que PC a 0: le programme donne lui-meme leur
; valeur aux registres dont il se sert (ici A).

PORTC   EQU $1004       ; registre de valeur du port C (LED)
ATTENTE EQU 10          ; tours de la boucle d'attente (1 a 127)

        ORG 0
debut:  LOADI 0
        STORE compte    ; le compteur part de 0
boucle: LOAD compte
        STORE PORTC     ; affichage sur les LED
        ADDI 1
        STORE compte    ; valeur suivante, modulo 256
        LOADI ATTENTE
pause:  SUBI 1
        BGT pause       ; attente: tant que A > 0
        B boucle

compte: DB 0            ; la valeur du compteur
