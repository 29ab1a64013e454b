; multiplication.s - multiplication par additions successives, verifiee par MUL.
;
; produit = facteur1 additionne facteur2 fois a lui-meme, puis le meme
; produit par l'instruction MUL. Les deux resultats sont gardes sur 8 bits
; (modulo 256: ni ADD ni MUL ne gardent de retenue). identiques vaut 1
; quand ils sont egaux, 0 sinon. Le produit s'affiche sur les LED du port C.
;
; Changez facteur1 et facteur2 (en bas) avec le remplissage memoire du
; simulateur (leurs adresses sont dans le listing multiplication.lst),
; puis remettez PC a 0.

PORTC   EQU $1004

        ORG 0
debut:  LOADI 0
        STORE somme     ; somme des additions
        LOAD facteur2
        STORE compte    ; nombre d'additions restant a faire
boucle: LOAD compte
        BEQ fini        ; plus d'addition a faire (aussi si facteur2 = 0)
        SUBI 1
        STORE compte
        LOAD somme
        ADD facteur1
        STORE somme
        B boucle
fini:   LOAD facteur1
        MUL facteur2    ; octet bas du produit
        STORE produit
        CMP somme       ; Z = 1 si les deux resultats sont egaux
        BEQ egaux
        LOADI 0
        B resultat
egaux:  LOADI 1
resultat: STORE identiques
        LOAD produit
        STORE PORTC
fin:    B fin           ; fin: le programme boucle sur lui-meme

facteur1:  DB 13
facteur2:  DB 11
compte:    DB 0
somme:     DB 0         ; produit par additions
produit:   DB 0         ; produit par MUL
identiques: DB 0        ; 1 si somme = produit
