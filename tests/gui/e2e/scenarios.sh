#!/usr/bin/env bash
# End-to-end scenarios: the real program under its own X server, driven like a person at the
# window's own coordinates, judged on its trace, its exit status and its empty output.
#
#   scenarios.sh NAME
# Environment: QUORVEL (the program), FERMETURE (demande_fermeture), PROGRAMMES (the folder
# of the assembled test programs, for the scenarios that load one).
set -euo pipefail
ICI=$(cd "$(dirname "$0")" && pwd)
source "$ICI/commun.sh"
: "${QUORVEL:?}" "${FERMETURE:?}"

# Every drawing of the disassembly view that the scenarios expect, by name.
dessin() { # name, then the twelve lines
    local nom=$1 texte=$2
    shift 2
    local l
    for l in "$@"; do texte+=" | $l"; done
    printf '%s\t%s\n' "$nom" "$texte" >>"$TRAVAIL/dessins"
}

repete() { # count text: prints the text that many times, one per line
    local i
    for ((i = 0; i < $1; i++)); do echo "$2"; done
}

connais_dessins() {
    local -a ff compteur attente
    mapfile -t ff < <(repete 12 "31 NOP -1,X")
    mapfile -t compteur < <(repete 7 "0 LOAD")
    mapfile -t attente < <(repete 8 "0 LOAD")
    dessin NEUF "${ff[@]}"
    dessin COMPTEUR "0 LOAD 64" "9 ADDI 1" "1 STORE 64" "21 BNE -8" "30 B -11" "${compteur[@]}"
    dessin ATTENTE "0 LOAD 4098" "11 CMPI 1" "21 BNE -5" "30 B -8" "${attente[@]}"
    dessin SAISIE1 "9 ADDI -1" "${ff[@]:1}"
    dessin SAISIE2 "9 ADDI 1" "${ff[@]:1}"
    dessin SAISIE3 "9 ADDI 1" "21 BNE -1" "${ff[@]:2}"
    dessin SAISIE4 "9 ADDI 1" "21 BNE -2" "${ff[@]:2}"
}

debut() {
    prepare
    connais_dessins
    demarre_xvfb
    if [ -d "${PROGRAMMES:-}" ]; then cp "$PROGRAMMES"/*.bin "$DOSSIER"/ 2>/dev/null || true; fi
    lance "$@"
}

# The trace as one line per pass (resume_trace.awk), after the start-up drawing.
resume() {
    awk -v dessins="$TRAVAIL/dessins" -v saute=13 -f "$ICI/resume_trace.awk" "$TRACE"
}

# Compares the whole trace with the start-up drawing and the expected passes, one per line
# of the standard input.
verifie_passes() {
    diff -u <(repete 13 "31 NOP -1,X") <(head -n 13 "$TRACE") >&2 ||
        echec "the start-up drawing differs"
    diff -u - <(resume) >&2 || echec "the trace differs (- expected, + actual)"
}

# The same, with the expected passes as arguments.
verifie_trace() { printf '%s\n' "$@" | verifie_passes; }

CHARGE_COMPTEUR='c'"'"'est parti .. / lecture de "compte_tours.bin" / adresse de base 0 taille 18'
CHARGE_COMPTEUR+=' / depart: 0 / desa 1 COMPTEUR'
CHARGE_ATTENTE='c'"'"'est parti .. / lecture de "attend_interrupteur.bin" / adresse de base 0 taille 15'
CHARGE_ATTENTE+=' / depart: 0 / desa 1 ATTENTE'

# The first n steps of compteur.s, as resume() shows them: the search for PC gives its line.
modele_compteur() {
    local n=$1 i=0 k=0 t
    local -a tour
    while ((i < n)); do
        tour=("desa 2 COMPTEUR" "desa 3 COMPTEUR" "desa 4 COMPTEUR")
        k=$(((k + 1) % 256))
        if ((k != 0)); then
            tour+=("non egalite! / desa 1 COMPTEUR")
        else
            tour+=("egalite! / desa 5 COMPTEUR" "desa 1 COMPTEUR")
        fi
        for t in "${tour[@]}"; do
            ((i < n)) || break
            echo "$t"
            i=$((i + 1))
        done
    done
}

# Reads the steps of attente.s from resume() lines and prints a letter per turn: O while the
# switch read open ("non egalite!"), F while it read closed ("egalite!"); a cut last turn is
# accepted. Fails on any pass that the program cannot have made.
tours_attente() {
    awk '
        BEGIN { ouvert[0] = "desa 2 ATTENTE"; ouvert[1] = "desa 3 ATTENTE"
                ouvert[2] = "non egalite! / desa 1 ATTENTE"
                ferme[0] = ouvert[0]; ferme[1] = ouvert[1]
                ferme[2] = "egalite! / desa 4 ATTENTE"; ferme[3] = "desa 1 ATTENTE"; p = 0 }
        p < 2 { if ($0 != ouvert[p]) { print "step " NR ": " $0; exit 1 } p++; next }
        p == 2 { if ($0 == ouvert[2]) { printf "O"; p = 0; next }
                 if ($0 == ferme[2]) { p = 3; next }
                 print "step " NR ": " $0; exit 1 }
        p == 3 { if ($0 != ferme[3]) { print "step " NR ": " $0; exit 1 } printf "F"; p = 0 }
        END { print "" }'
}

# Asks a window to close, as its close box would.
ferme_par_la_case() {
    "$FERMETURE" "$1" || echec "cannot send the close request"
}

scenario_quitter() {
    debut
    quitte
    verifie_trace -
}

scenario_a_propos() {
    debut
    local a avant fermeture
    for fermeture in ok echap; do
        avant=$(passes)
        menu_fichier 1
        attend_titre Informations
        a=$NOUVELLE
        # Shown under the pointer.
        eval "$(xdotool getmouselocation --shell | sed 's/^/m_/')"
        eval "$(xdotool getwindowgeometry --shell "$a" | sed 's/^/g_/')"
        ((m_X >= g_X && m_X < g_X + g_WIDTH && m_Y >= g_Y && m_Y < g_Y + g_HEIGHT)) ||
            echec "the About window is not under the pointer"
        if [ $fermeture = ok ]; then clique "$a" 219 345; else xdotool key Escape; fi
        attend_disparition "$a"
        attend au_moins_passes $((avant + 1)) || echec "no pass after the About window"
    done
    tourne || echec "the program ended"
    quitte
    verifie_trace - - -
}

# Types a byte into memory with the fill inputs.
remplit() { # address value
    clique_sur adresse_select
    tape "$1"
    clique_sur valeur_select
    tape "$2"
    apres_passes 2 clique_sur VALID_MEM
}

scenario_saisie_pas_a_pas() {
    debut
    clique_sur multiplicateur_select
    tape 1
    # ADDI 1 / BNE -2 at address 0: counts A up, "non egalite!" at each turn. The inputs take
    # decimal and "$" hexadecimal alike; byte 3 is already $FF.
    remplit 0 '$25'
    remplit 1 1
    remplit 2 '$56'
    remplit '$4' 254
    apres_passes 1 clique_sur B_STEP
    apres_passes 1 clique_sur B_STEP
    apres_passes 1 clique_sur B_STEP
    quitte
    verifie_trace - - - "desa 1 SAISIE1" - - "desa 1 SAISIE2" - - "desa 1 SAISIE3" \
        - - "desa 1 SAISIE4" "desa 2 SAISIE4" "non egalite! / desa 1 SAISIE4" \
        "desa 2 SAISIE4" -
}

scenario_chargement_et_marche() {
    debut
    charge compte_tours.bin
    apres_passes 1 clique_sur B_PLAY
    attend au_moins_lignes 20 "non egalite!" || echec "the program does not run"
    apres_passes 1 clique_sur B_STOP
    # The probe shows that the stop has been handled and that no step came after it.
    clique_sur DESA_U
    attend au_moins_lignes 1 "a refaire" || echec "no line for DESA_U"
    quitte
    local n
    n=$(($(resume | wc -l) - 5))
    ((n >= 80)) || echec "only $n steps"
    {
        printf '%s\n' "$CHARGE_COMPTEUR" -
        modele_compteur $n
        printf '%s\n' - "a refaire" -
    } | verifie_passes
}

scenario_abandon() {
    debut
    local avant moyen
    for moyen in echap annuler; do
        avant=$(passes)
        menu_fichier 2
        attend_titre "$TITRE_CHOIX"
        if [ $moyen = echap ]; then
            xdotool mousemove --window "$NOUVELLE" 100 100
            xdotool key Escape
        else
            clique "$NOUVELLE" 443 357
        fi
        attend au_moins_passes $((avant + 1)) || echec "no pass after cancelling"
    done
    # Nothing was loaded: the step runs the fresh memory (NOP at 0, PC 1, out of the view).
    apres_passes 1 clique_sur B_STEP
    quitte
    verifie_trace "chargement abandonne ..." "chargement abandonne ..." "desa 12 NEUF" -
}

scenario_fichier_absent() {
    debut
    charge compte_tours.bin
    apres_passes 1 clique_sur B_STEP
    local avant fenetres
    avant=$(passes)
    menu_fichier 2
    attend_titre "$TITRE_CHOIX"
    fenetres=$(fenetres_visibles | grep -vx "$NOUVELLE")
    tape_nom_de_fichier inexistant.bin
    attend_nouvelle_fenetre "$fenetres"
    [ -z "$(xdotool getwindowname "$NOUVELLE")" ] || echec "the alert has a title"
    xdotool key Return
    attend_disparition "$NOUVELLE"
    attend au_moins_passes $((avant + 1)) || echec "no pass after the alert"
    # The program and PC are as they were: the next steps go on from the second instruction.
    apres_passes 1 clique_sur B_STEP
    apres_passes 1 clique_sur B_STEP
    quitte
    verifie_trace "$CHARGE_COMPTEUR" "desa 2 COMPTEUR" \
        "c'est parti .. / lecture de \"inexistant.bin\" / erreur sur fichier  / fichier introuvable" \
        "desa 3 COMPTEUR" "desa 4 COMPTEUR" -
}

scenario_interrupteur() {
    debut
    charge attend_interrupteur.bin
    apres_passes 1 clique_sur B_PLAY
    attend au_moins_lignes 3 "non egalite!" || echec "the program does not run"
    clique_bit B 0
    attend au_moins_lignes 3 "egalite!" || echec "closing the switch changed nothing"
    local ouvertes
    ouvertes=$(compte_lignes "non egalite!")
    clique_bit B 0
    attend au_moins_lignes $((ouvertes + 3)) "non egalite!" ||
        echec "opening the switch changed nothing"
    apres_passes 1 clique_sur B_STOP
    clique_sur DESA_U
    attend au_moins_lignes 1 "a refaire" || echec "no line for DESA_U"
    quitte
    local -a passes_vues
    mapfile -t passes_vues < <(resume)
    local n=${#passes_vues[@]}
    [ "${passes_vues[0]}" = "$CHARGE_ATTENTE" ] || echec "load pass: ${passes_vues[0]}"
    [ "${passes_vues[1]}" = - ] || echec "play pass: ${passes_vues[1]}"
    [ "${passes_vues[*]:n-3}" = "- a refaire -" ] || echec "last passes: ${passes_vues[*]:n-3}"
    local tours
    tours=$(printf '%s\n' "${passes_vues[@]:2:n-5}" | tours_attente) ||
        echec "impossible run: $tours"
    [[ $tours =~ ^O+F+O+$ ]] || echec "the switch was read as $tours"
}

scenario_aide() {
    debut
    local fenetres h fermeture
    for fermeture in bouton echap croix; do
        fenetres=$(fenetres_visibles)
        apres_passes 1 clique_sur B_AIDE
        attend_nouvelle_fenetre "$fenetres"
        h=$NOUVELLE
        eval "$(xdotool getwindowgeometry --shell "$h" | sed 's/^/g_/')"
        [ "$g_WIDTH" = 610 ] && [ "$g_HEIGHT" = 480 ] ||
            echec "the Help window is ${g_WIDTH}x$g_HEIGHT"
        case $fermeture in
        bouton) apres_passes 1 clique "$h" 300 455 ;;
        echap) xdotool mousemove --window "$h" 300 200 && apres_passes 1 xdotool key Escape ;;
        croix) apres_passes 1 ferme_par_la_case "$h" ;;
        esac
        attend_disparition "$h"
    done
    visible "$W" || echec "the main window is gone"
    quitte
    verifie_trace - - - - - - -
}

# Opens the Help window; A and P then hold its geometry and the main window's (geometrie).
ouvre_aide() {
    local fenetres
    fenetres=$(fenetres_visibles)
    apres_passes 1 clique_sur B_AIDE
    attend_nouvelle_fenetre "$fenetres"
    geometrie "$NOUVELLE" A
    geometrie "$W" P
    ((A_h == 480)) || echec "the Help window is $A_h high"
    ((A_y == P_y)) || echec "the Help window's top is at $A_y, the main window's at $P_y"
}

# On a wide screen the Help window opens at full width to the right of the main window, without
# covering any of it, and stays on the screen.
scenario_aide_a_cote() {
    ECRAN=1920x1080x24 debut -notooltips
    ouvre_aide
    ((A_w == 610)) || echec "the Help window is $A_w wide"
    ((A_x >= P_x + P_w)) || echec "the Help window at x $A_x covers the main window ($P_x+$P_w)"
    ((A_x + A_w <= 1920)) || echec "the Help window passes the screen's edge: $A_x+$A_w"
    quitte
    verifie_trace - -
}

# With the main window to the right, the Help window opens on its left, narrowed to the room.
scenario_aide_a_gauche() {
    debut -notooltips -geometry +560+100
    ouvre_aide
    ((A_w >= 360 && A_w < 610)) || echec "the Help window is $A_w wide"
    ((A_x >= 0 && A_x + A_w <= P_x)) || echec "the Help window ($A_x+$A_w) is not left of $P_x"
    quitte
    verifie_trace - -
}

scenario_case_de_fermeture() {
    debut
    ferme_par_la_case "$W"
    attend_fin 0
    verifie_trace -
}

scenario_echap() {
    debut
    xdotool mousemove --window "$W" 320 300
    xdotool key Escape
    # The probe is handled after the key: the program and its window are still there.
    apres_passes 1 clique_sur DESA_U
    visible "$W" || echec "Escape closed the main window"
    quitte
    verifie_trace "a refaire" -
}

# Starts the program with its standard error on the FIFO $1 (whose reader the caller has set up),
# as "quorvel 2>&1 | ..." does; W is then its main window.
lance_vers_tube() {
    (cd "$DOSSIER" && exec "$QUORVEL" >"$SORTIE" 2>"$1") &
    QPID=$!
    attend fenetre_principale_visible || echec "the main window did not show"
}

# Opens and closes the About window: proof that the program still handles clicks, when its
# trace cannot tell.
repond_encore() {
    local a
    menu_fichier 1
    attend_titre Informations
    a=$NOUVELLE
    clique "$a" 219 345
    attend_disparition "$a"
}

# Loads the counter without looking at the trace, then runs it.
charge_et_lance_sans_trace() {
    menu_fichier 2
    attend_titre "$TITRE_CHOIX"
    tape_nom_de_fichier compte_tours.bin
    attend eval '! titre_visible "$TITRE_CHOIX"' || echec "the file chooser stays up"
    clique_sur B_PLAY
}

# "quorvel 2>&1 | head -c 2000": the reader goes away while the program runs and writes.
scenario_trace_coupee() {
    prepare
    demarre_xvfb
    cp "$PROGRAMMES"/compte_tours.bin "$DOSSIER"/
    mkfifo "$TRAVAIL/tube"
    head -c 2000 <"$TRAVAIL/tube" >"$TRAVAIL/debut.txt" &
    local lecteur=$!
    lance_vers_tube "$TRAVAIL/tube"
    charge_et_lance_sans_trace
    attend eval '! kill -0 $lecteur 2>/dev/null' || echec "the reader never got its 2000 bytes"
    # The running program goes on writing into the closed pipe.
    repond_encore
    clique_sur B_STOP
    repond_encore
    menu_fichier 3
    attend_fin 0
    [ "$(wc -c <"$TRAVAIL/debut.txt")" = 2000 ] || echec "the reader did not get 2000 bytes"
    [ "$(head -n 1 "$TRAVAIL/debut.txt")" = "31 NOP -1,X" ] || echec "the trace did not start as ever"
}

# What the pipe held on fd 7 holds now (the writer stays: dd stops when the pipe is empty).
vide_tube() { dd if=/dev/fd/7 iflag=nonblock bs=64K status=none 2>/dev/null || true; }

# Standard error on a pipe that nobody reads: the window must still answer, then say how many
# lines it lost once the pipe is read again.
scenario_trace_non_lue() {
    prepare
    demarre_xvfb
    cp "$PROGRAMMES"/compte_tours.bin "$DOSSIER"/
    mkfifo "$TRAVAIL/tube"
    exec 7<>"$TRAVAIL/tube" # a reader that reads only when told to
    # Full before the program starts, whatever the pipe's size.
    dd if=/dev/zero of=/dev/fd/7 oflag=nonblock bs=4K count=1024 status=none 2>/dev/null || true
    lance_vers_tube "$TRAVAIL/tube"
    charge_et_lance_sans_trace
    repond_encore
    clique_sur B_STOP
    repond_encore
    TRACE=$TRAVAIL/trace.txt
    vide_tube | tr -d '\0' >"$TRACE"
    [ ! -s "$TRACE" ] || echec "lines went into a full pipe"
    clique_sur DESA_U
    attend eval 'vide_tube >>"$TRACE"; grep -q "^a refaire$" "$TRACE"' ||
        echec "no line for DESA_U once the pipe is read"
    grep -qE '^[1-9][0-9]* lignes de trace perdues$' <(head -n 1 "$TRACE") ||
        echec "the count of lost lines does not come first"
    [ "$(sed -n 2p "$TRACE")" = "a refaire" ] || echec "the line for DESA_U is not next"
    menu_fichier 3
    attend_fin 0
    exec 7<&-
}

# A FIFO picked in the file chooser: refused at once, with its reason, and the window goes on.
scenario_tube_choisi() {
    debut
    mkfifo "$DOSSIER/tube.bin"
    local avant fenetres
    avant=$(passes)
    menu_fichier 2
    attend_titre "$TITRE_CHOIX"
    fenetres=$(fenetres_visibles | grep -vx "$NOUVELLE")
    tape_nom_de_fichier tube.bin
    attend_nouvelle_fenetre "$fenetres"
    xdotool key Return
    attend_disparition "$NOUVELLE"
    attend au_moins_passes $((avant + 1)) || echec "no pass after the alert"
    quitte
    verifie_trace \
        "c'est parti .. / lecture de \"tube.bin\" / erreur sur fichier  / ce n'est pas un fichier ordinaire" -
}

declare -F "scenario_${1:-}" >/dev/null || {
    echo "usage: $0 SCENARIO (one of: $(declare -F | sed -n 's/.*scenario_//p' | tr '\n' ' '))" >&2
    exit 2
}
"scenario_$1"
