; Compteur sans fin dans l'octet $40 : chaque tour fait quatre pas et BNE ecrit une ligne
; ("non egalite!"), sauf un tour sur 256, ou le compteur repasse a 0 ("egalite!") et B
; ramene au debut.
compte  EQU $40

debut:  LOAD compte
        ADDI 1
        STORE compte
        BNE debut
        B debut
