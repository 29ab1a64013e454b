#!/usr/bin/env bash
# End-to-end scenarios of debugging: breakpoints, step back and the speed of run mode, in the
# real program under its own X server, started with -notooltips (a tooltip is a window of its
# own), judged on its trace and its exit status.
#
#   scenarios_debogage.sh NAME
# Environment: QUORVEL (the program), PROGRAMMES (the folder of the assembled test programs).
# The scenarios that press keys or ask for --trace=instructions need the window's key handler
# and trace option (see CMakeLists.txt).
set -euo pipefail
ICI=$(cd "$(dirname "$0")" && pwd)
source "$ICI/commun.sh"
: "${QUORVEL:?}" "${PROGRAMMES:?}"

WIDGET[B_RETOUR]="180 360 40 40"
WIDGET[VITESSE]="480 258 110 24"

# The counter of compte_tours.s: LOAD $40 / ADDI 1 / STORE $40 / BNE -8 / B -11. Its drawing
# in the trace, and the address of each line of the view from the first.
DESSIN_COMPTEUR="0 LOAD 64 | 9 ADDI 1 | 1 STORE 64 | 21 BNE -8 | 30 B -11"
for ((i = 0; i < 7; i++)); do DESSIN_COMPTEUR+=" | 0 LOAD"; done

debut() {
    prepare
    printf 'COMPTEUR\t%s\n' "$DESSIN_COMPTEUR" >"$TRAVAIL/dessins"
    demarre_xvfb
    cp "$PROGRAMMES"/*.bin "$DOSSIER"/
    cp "$ICI"/programmes/*.s "$DOSSIER"/
    lance -notooltips "$@"
}

# The trace as one line per pass, after the start-up drawing (see resume_trace.awk).
resume() {
    awk -v dessins="$TRAVAIL/dessins" -v saute=13 -f "$ICI/resume_trace.awk" "$TRACE"
}

verifie_trace() {
    diff -u <(printf '%s\n' "$@") <(resume) >&2 || echec "the trace differs (- expected, + actual)"
}

CHARGE_COMPTEUR='c'"'"'est parti .. / lecture de "compte_tours.bin" / adresse de base 0 taille 18'
CHARGE_COMPTEUR+=' / depart: 0 / desa 1 COMPTEUR'

# Clicks line n (from 1) of the disassembly view.
clique_ligne() { clique "$W" 100 $((430 + 20 * ($1 - 1) + 10)); }

# The keyboard goes to the window under the pointer (no window manager).
touche() {
    xdotool mousemove --window "$W" 320 300
    xdotool key "$1"
}

# Run mode ended: a probe's line comes after the stop, and no step after it.
verifie_arret() { # the stop line expected
    attend au_moins_lignes 1 "$1" || echec "no '$1'"
    apres_passes 1 clique_sur DESA_U
    attend au_moins_lignes 1 "a refaire" || echec "no line for DESA_U"
    local apres
    apres=$(sed -n "/^$1\$/,\$p" "$TRACE" | grep -c '^[0-9]* [A-Z]' || true)
    ((apres == 0)) || echec "$apres disassembly lines after the stop: a step came after it"
}

scenario_point_par_clic() {
    debut
    charge compte_tours.bin
    apres_passes 1 clique_ligne 4 # $0008, the BNE
    apres_passes 1 clique_sur B_PLAY
    verifie_arret "point d'arret en \$0008"
    quitte
    verifie_trace "$CHARGE_COMPTEUR" "desa 1 COMPTEUR" - "desa 2 COMPTEUR" "desa 3 COMPTEUR" \
        "desa 4 COMPTEUR / point d'arret en \$0008" "a refaire" -
}

# N steps, N steps back, then the same N steps again: the same passes, line for line.
scenario_retour_par_bouton() {
    debut
    charge compte_tours.bin
    local n=6 i
    for ((i = 0; i < n; i++)); do apres_passes 1 clique_sur B_STEP; done
    for ((i = n - 1; i >= 0; i--)); do
        apres_passes 1 clique_sur B_RETOUR
        attend au_moins_lignes 1 "retour arriere: encore $i pas" || echec "no step back to $i"
    done
    apres_passes 1 clique_sur B_RETOUR
    attend au_moins_lignes 1 "retour arriere: rien a defaire" || echec "something left to undo"
    for ((i = 0; i < n; i++)); do apres_passes 1 clique_sur B_STEP; done
    quitte
    local -a p
    mapfile -t p < <(resume)
    [ "${p[*]:1:n}" = "${p[*]:2*n+2:n}" ] ||
        echec "the steps differ after stepping back: ${p[*]:1:n} / ${p[*]:2*n+2:n}"
    [ "${p[2 * n + 1]}" = "retour arriere: rien a defaire" ] || echec "pass ${p[2 * n + 1]}"
    local pas=("desa 2 COMPTEUR" "desa 3 COMPTEUR" "desa 4 COMPTEUR"
        "non egalite! / desa 1 COMPTEUR" "desa 2 COMPTEUR" "desa 3 COMPTEUR")
    # Back from PC 5 through 3, 0, 8, 5, 3 to 0: the drawing finds PC on line 2, 1, 4, 3, 2, 1.
    verifie_trace "$CHARGE_COMPTEUR" "${pas[@]}" \
        "retour arriere: encore 5 pas / desa 2 COMPTEUR" \
        "retour arriere: encore 4 pas / desa 1 COMPTEUR" \
        "retour arriere: encore 3 pas / desa 4 COMPTEUR" \
        "retour arriere: encore 2 pas / desa 3 COMPTEUR" \
        "retour arriere: encore 1 pas / desa 2 COMPTEUR" \
        "retour arriere: encore 0 pas / desa 1 COMPTEUR" \
        "retour arriere: rien a defaire" "${pas[@]}" -
}

# Steps per second at "5 pas/s": the time that ten steps take, from the trace as it grows.
scenario_vitesse_5() {
    debut
    charge compte_tours.bin
    clique_sur VITESSE
    apres_passes 1 xdotool key Down Down Down Down Return
    apres_passes 1 clique_sur B_PLAY
    local k0 t0 t1
    k0=$(($(passes) + 1))
    attend au_moins_passes "$k0" || echec "no first step"
    t0=$(maintenant_ms)
    attend au_moins_passes $((k0 + 10)) || echec "fewer than 10 steps"
    t1=$(maintenant_ms)
    apres_passes 1 clique_sur B_STOP
    quitte
    local rythme
    rythme=$(awk -v ms=$((t1 - t0)) 'BEGIN { printf "%.2f", 10000 / ms }')
    echo "10 steps in $((t1 - t0)) ms: $rythme steps/s" >&2
    awk -v r="$rythme" 'BEGIN { exit !(r >= 3.5 && r <= 6.5) }' ||
        echec "$rythme steps/s at 5 steps/s (more than 30 % off)"
}

# --- Keys: these need the window's key handler. ---

scenario_touche_f9() {
    debut
    charge compte_tours.bin
    local i
    for ((i = 0; i < 3; i++)); do apres_passes 1 clique_sur B_STEP; done
    apres_passes 1 touche F9 # at PC, $0008
    apres_passes 1 clique_sur B_RESET
    apres_passes 1 clique_sur B_PLAY
    verifie_arret "point d'arret en \$0008"
    quitte
}

scenario_touche_ctrl_b() {
    debut
    charge compte_tours.bin
    local fenetres texte
    for texte in 0x3 '$8' 0x3; do # $0003 set, $0008 set, $0003 removed
        fenetres=$(fenetres_visibles)
        touche ctrl+b
        attend_nouvelle_fenetre "$fenetres"
        xdotool type --delay 1 "$texte"
        apres_passes 1 xdotool key Return
        attend_disparition "$NOUVELLE"
    done
    apres_passes 1 clique_sur B_PLAY
    verifie_arret "point d'arret en \$0008"
    quitte
}

scenario_touche_ctrl_b_etiquette() {
    debut compte_tours.s
    attend au_moins_lignes 1 "depart: 0" || echec "the source was not loaded"
    local fenetres
    fenetres=$(fenetres_visibles)
    touche ctrl+b
    attend_nouvelle_fenetre "$fenetres"
    xdotool type --delay 1 debut
    apres_passes 1 xdotool key Return
    apres_passes 1 clique_sur B_PLAY
    verifie_arret "point d'arret en \$0000"
    quitte
}

scenario_touche_maj_f9() {
    debut
    charge compte_tours.bin
    apres_passes 1 clique_ligne 2
    apres_passes 1 clique_ligne 4
    apres_passes 1 touche shift+F9
    attend au_moins_lignes 1 "points d'arret effaces: \$0003 \$0008" || echec "no list"
    apres_passes 1 touche shift+F9
    attend au_moins_lignes 1 "points d'arret effaces: aucun" || echec "not all cleared"
    quitte
}

scenario_touche_f8() {
    debut
    charge compte_tours.bin
    apres_passes 1 clique_sur B_STEP
    apres_passes 1 clique_sur B_STEP
    apres_passes 1 touche F8
    attend au_moins_lignes 1 "retour arriere: encore 1 pas" || echec "F8 did not step back"
    quitte
}

# --- The instruction trace: this needs --trace=instructions. ---

scenario_retour_trace_instructions() {
    # Nothing but instruction lines in this trace, not even the ports' lines of each pass: the
    # program comes from the command line, the clicks are queued in order and the waits are on
    # the instruction lines.
    debut --trace=instructions compte_tours.bin
    local n=6 i
    for ((i = 0; i < n; i++)); do clique_sur B_STEP; done
    attend compte_instructions_au_moins $n || echec "not $n instruction lines"
    for ((i = 0; i < n; i++)); do clique_sur B_RETOUR; done
    for ((i = 0; i < n; i++)); do clique_sur B_STEP; done
    attend compte_instructions_au_moins $((2 * n)) || echec "not $((2 * n)) instruction lines"
    menu_fichier 3
    attend_fin 0
    local -a l
    mapfile -t l < <(grep '^[0-9]* [0-9a-f]\{4\} ' "$TRACE")
    ((${#l[@]} == 2 * n)) || echec "${#l[@]} instruction lines"
    [[ ${l[0]} == "1 0000 02 00 40 "* ]] || echec "the first step is not the program's: ${l[0]}"
    [ "$(printf '%s\n' "${l[@]:0:n}")" = "$(printf '%s\n' "${l[@]:n:n}")" ] ||
        echec "the steps differ after stepping back"
}

compte_instructions_au_moins() {
    (($(grep -c '^[0-9]* [0-9a-f]\{4\} ' "$TRACE" || true) >= $1))
}

declare -F "scenario_${1:-}" >/dev/null || {
    echo "usage: $0 SCENARIO (one of: $(declare -F | sed -n 's/.*scenario_//p' | tr '\n' ' '))" >&2
    exit 2
}
"scenario_$1"
