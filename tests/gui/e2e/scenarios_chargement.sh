#!/usr/bin/env bash
# End-to-end scenarios of opening programs, keys and the console's modes: the real program under
# its own X server, driven like a person, judged on its trace, its exit status and its output.
# Every program starts with -notooltips (a tooltip is a window of its own).
#
#   scenarios_chargement.sh NAME
# Environment: QUORVEL (the program), FERMETURE (demande_fermeture).
set -euo pipefail
ICI=$(cd "$(dirname "$0")" && pwd)
source "$ICI/commun.sh"
: "${QUORVEL:?}" "${FERMETURE:?}"

# Register inputs of the main window, beside commun.sh's widgets.
WIDGET[REG_X_HEX]="414 99 69 21"

dessin() { # name, then the twelve lines
    local nom=$1 texte=$2
    shift 2
    local l
    for l in "$@"; do texte+=" | $l"; done
    printf '%s\t%s\n' "$nom" "$texte" >>"$TRAVAIL/dessins"
}

repete() { # count text
    local i
    for ((i = 0; i < $1; i++)); do echo "$2"; done
}

connais_dessins() {
    local -a zeros7 zeros9 zeros10
    mapfile -t zeros7 < <(repete 7 "0 LOAD")
    mapfile -t zeros9 < <(repete 9 "0 LOAD")
    mapfile -t zeros10 < <(repete 10 "0 LOAD")
    dessin COMPTEUR "0 LOAD 64" "9 ADDI 1" "1 STORE 64" "21 BNE -8" "30 B -11" "${zeros7[@]}"
    dessin AVANT "0 LOADI 5" "30 B -2" "${zeros10[@]}"
    dessin APRES "0 LOADI 7" "9 ADDI 1" "30 B -4" "${zeros9[@]}"
}

# The test sources are in the working folder, where the file chooser and the command line
# find them by their bare names; faux.s is one with errors.
debut() {
    prepare
    connais_dessins
    demarre_xvfb
    cp "$ICI"/programmes/*.s "$DOSSIER"/
    ecrit_source_fausse faux.s
    lance -notooltips "$@"
}

resume() {
    awk -v dessins="$TRAVAIL/dessins" -v saute=13 -f "$ICI/resume_trace.awk" "$TRACE"
}

# The whole trace against the start-up drawing and the expected passes, one per argument.
verifie_trace() {
    diff -u <(repete 13 "31 NOP -1,X") <(head -n 13 "$TRACE") >&2 ||
        echec "the start-up drawing differs"
    diff -u <(printf '%s\n' "$@") <(resume) >&2 || echec "the trace differs (- expected, + actual)"
}

# Keys go to the window under the pointer (no window manager): the pointer stays where the last
# click left it, or comes over the main window.
touche() { xdotool key "$@"; }

sur_la_fenetre() { xdotool mousemove --window "$W" 320 300; }

# A window of the program other than the main window; sets NOUVELLE.
autre_fenetre() {
    NOUVELLE=$(fenetres_visibles | grep -vx "$W" | head -n 1)
    [ -n "$NOUVELLE" ]
}

# Erroneous source: twelve unknown mnemonics after one good line.
ecrit_source_fausse() {
    {
        echo "debut:  LOADI 1"
        repete 12 "        FOO"
    } >"$DOSSIER/$1"
}

CHARGE_COMPTEUR_S='assemblage de "compte_tours.s" / c'"'"'est parti .. / adresse de base 0 taille 18'
CHARGE_COMPTEUR_S+=' / depart: 0 / desa 1 COMPTEUR'

scenario_source_du_menu() {
    debut
    charge compte_tours.s
    sur_la_fenetre
    apres_passes 1 touche F7
    apres_passes 1 touche F7
    quitte
    verifie_trace "$CHARGE_COMPTEUR_S" "desa 2 COMPTEUR" "desa 3 COMPTEUR" -
}

scenario_source_en_argument() {
    debut compte_tours.s
    attend au_moins_passes 1 || echec "the first pass did not come"
    sur_la_fenetre
    apres_passes 1 touche F7
    quitte
    verifie_trace "$CHARGE_COMPTEUR_S" "desa 2 COMPTEUR" -
}

scenario_source_avec_erreurs() {
    debut compte_tours.s
    attend au_moins_passes 1 || echec "the first pass did not come"
    sur_la_fenetre
    apres_passes 1 touche F7
    local avant fenetres
    avant=$(passes)
    menu_fichier 2
    attend_titre "$TITRE_CHOIX"
    fenetres=$(fenetres_visibles | grep -vx "$NOUVELLE")
    tape_nom_de_fichier faux.s
    attend_nouvelle_fenetre "$fenetres"
    [ -z "$(xdotool getwindowname "$NOUVELLE")" ] || echec "the alert has a title"
    xdotool key Return
    attend_disparition "$NOUVELLE"
    attend au_moins_passes $((avant + 1)) || echec "no pass after the alert"
    # Memory and PC are as they were: the steps go on from the second instruction.
    sur_la_fenetre
    apres_passes 1 touche F7
    apres_passes 1 touche F7
    quitte
    local -a vues
    mapfile -t vues < <(resume)
    local echecs=${vues[2]}
    [[ $echecs == 'assemblage de "faux.s" / faux.s:2: '* ]] || echec "failed load: $echecs"
    [[ $echecs == *' / rien n'"'"'est charge: 12 erreur(s) d'"'"'assemblage' ]] ||
        echec "failed load: $echecs"
    (($(grep -c '^faux\.s:[0-9]*: ' "$TRACE") == 12)) || echec "not every error on the console"
    vues[2]=ECHEC
    diff -u <(printf '%s\n' "$CHARGE_COMPTEUR_S" "desa 2 COMPTEUR" ECHEC "desa 3 COMPTEUR" \
        "desa 4 COMPTEUR" -) <(printf '%s\n' "${vues[@]}") >&2 || echec "the trace differs"
}

scenario_rechargement() {
    debut
    printf 'debut:  LOADI 5\n        B debut\n' >"$DOSSIER/prog.s"
    charge prog.s
    sur_la_fenetre
    apres_passes 1 touche F7
    # The source changes on disk; Ctrl+R reads it again.
    printf 'debut:  LOADI 7\n        ADDI 1\n        B debut\n' >"$DOSSIER/prog.s"
    apres_passes 1 touche ctrl+r
    apres_passes 1 touche F7
    quitte
    local charge='assemblage de "prog.s" / c'"'"'est parti .. / adresse de base 0 taille'
    verifie_trace "$charge 9 / depart: 0 / desa 1 AVANT" "desa 2 AVANT" \
        "$charge 11 / depart: 0 / desa 1 APRES" "desa 2 APRES" -
}

# The trace as --trace=instructions writes it: step number, PC, bytes, instruction, registers.
lignes_instructions() { grep -c . "$TRACE" || true; }

au_moins_instructions() { (($(lignes_instructions) >= $1)); }

# Presses a key, then waits for n more instruction lines.
apres_instructions() {
    local n=$1 avant
    shift
    avant=$(lignes_instructions)
    "$@"
    attend au_moins_instructions $((avant + n)) || echec "no instruction after: $*"
}

scenario_trace_instructions() {
    debut --trace=instructions compte_tours.s
    sur_la_fenetre
    local i
    for i in 1 2 3 4 5 6; do apres_instructions 1 touche F7; done
    menu_fichier 3
    attend_fin 0
    diff -u - "$TRACE" >&2 <<'FIN' || echec "the instruction lines differ"
1 0000 02 00 40 LOAD 64 A=00 X=0000 CCR=00000100
2 0003 25 01    ADDI 1 A=01 X=0000 CCR=00000000
3 0005 06 00 40 STORE 64 A=01 X=0000 CCR=00000000
4 0008 56 ff f8 BNE -8 A=01 X=0000 CCR=00000000
5 0000 02 00 40 LOAD 64 A=01 X=0000 CCR=00000000
6 0003 25 01    ADDI 1 A=02 X=0000 CCR=00000000
FIN
}

scenario_touches_dans_une_saisie() {
    debut --trace=instructions compte_tours.s
    # X typed in its input, not confirmed: F7 reads it back, steps, and types nothing.
    clique_sur REG_X_HEX
    tape 12
    apres_instructions 1 touche F7
    apres_instructions 1 touche F7
    # Run, stop, reset and open with the focus still in the input. The chooser shows once the
    # stop and the reset have had their passes; while it is up, keys are its own.
    apres_instructions 20 touche F5
    touche F11 F12 ctrl+o
    attend_titre "$TITRE_CHOIX"
    local choix=$NOUVELLE m
    m=$(lignes_instructions)
    xdotool mousemove --window "$choix" 100 100
    touche F7 F5 Escape
    attend_disparition "$choix"
    # Stopped, and the keys pressed in the chooser did nothing: one step from PC 0 with the X
    # typed now.
    clique_sur REG_X_HEX
    tape 34
    apres_instructions 1 touche F7
    # Ctrl+R reloads: the count starts again.
    touche ctrl+r
    apres_instructions 1 touche F7
    menu_fichier 3
    attend_fin 0
    local n apres_reset
    n=$(lignes_instructions)
    ((n == m + 2)) || echec "$n steps, expected $((m + 2))"
    awk -v n="$n" 'NR < n && $1 != NR { print "line " NR ": " $0; bad = 1 } END { exit bad }' \
        "$TRACE" || echec "the steps are not numbered one by one"
    [[ $(sed -n 1p "$TRACE") == "1 0000 02 00 40 LOAD 64 A=00 X=0012 CCR=00000100" ]] ||
        echec "first step: $(sed -n 1p "$TRACE")"
    apres_reset=$(sed -n "$((m + 1))p" "$TRACE")
    [[ $apres_reset == "$((m + 1)) 0000 02 00 40 LOAD 64 A="??" X=0034 "* ]] ||
        echec "the step after the reset: $apres_reset"
    [[ $(tail -n 1 "$TRACE") == "1 0000 02 00 40 LOAD 64 A=00 X=0034 CCR=00000100" ]] ||
        echec "the step after the reload: $(tail -n 1 "$TRACE")"
}

scenario_trace_aucune() {
    debut --trace=aucune -automemlink 5 faux.s
    # The command line's source has errors: the alert is the only sign.
    attend autre_fenetre || echec "no alert"
    [ -z "$(xdotool getwindowname "$NOUVELLE")" ] || echec "the alert has a title"
    xdotool key Return
    attend_disparition "$NOUVELLE"
    sur_la_fenetre
    touche F7 F7
    menu_fichier 2
    attend_titre "$TITRE_CHOIX"
    local choix=$NOUVELLE
    tape_nom_de_fichier compte_tours.s
    attend_disparition "$choix"
    sur_la_fenetre
    touche F7 ctrl+r F5 F11
    clique_sur DESA_U
    menu_fichier 3
    attend_fin 0
    [ ! -s "$TRACE" ] || echec "the console is not silent: $(head -c 300 "$TRACE")"
}

scenario_trace_inconnue() {
    prepare
    demarre_xvfb
    local rc=0
    (cd "$DOSSIER" && exec "$QUORVEL" -notooltips --trace=bavarde compte_tours.s \
        >"$SORTIE" 2>"$TRACE") || rc=$?
    [ "$rc" = 2 ] || echec "exit status $rc, expected 2"
    [ ! -s "$SORTIE" ] || echec "standard output is not empty"
    diff -u - "$TRACE" >&2 <<'FIN' || echec "the usage line differs"
quorvel: mode de trace "bavarde" inconnu; usage: quorvel [--trace=complete|instructions|aucune] [PROGRAMME]
FIN
}

declare -F "scenario_${1:-}" >/dev/null || {
    echo "usage: $0 SCENARIO (one of: $(declare -F | sed -n 's/.*scenario_//p' | tr '\n' ' '))" >&2
    exit 2
}
"scenario_$1"
