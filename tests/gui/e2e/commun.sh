# Harness shared by the end-to-end scenarios, the window benches and the screenshot script
# (sourced, not run): a private X server, HOME and working folder; the program started there
# with its standard output and its trace in files; and ways to act on it as a person would, at
# the window's own coordinates, waiting on the trace with a deadline instead of sleeping.
#
# The caller sets QUORVEL (the program) and, for the close box, FERMETURE (demande_fermeture).

DELAI_MS=${DELAI_MS:-10000}

# Widget rectangles of the main window: x y w h.
declare -A WIDGET=(
    [m_fichier]="20 10 70 20"
    [B_AIDE]="570 11 70 12"
    [B_RESET]="20 360 40 40"
    [B_STOP]="60 360 40 40"
    [B_PLAY]="100 360 40 40"
    [B_STEP]="140 360 40 40"
    [adresse_select]="325 370 70 20"
    [valeur_select]="440 370 75 20"
    [multiplicateur_select]="530 370 50 20"
    [VALID_MEM]="595 370 35 20"
    [DESA_U]="10 420 20 20"
    [DESA_PC]="9 443 20 19"
    [DESA_D]="10 465 20 19"
    [DUMP_U]="610 420 20 20"
    [DUMP_D]="610 660 20 20"
)
# Left edge of each port's widgets; their bit buttons are a row of 10x10 at y 280.
declare -A PORT_X=([A]=40 [B]=170 [C]=300)

TITRE_PRINCIPAL='Machine a accumulateur'
TITRE_CHOIX='Choisissez un fichier binaire'

echec() {
    echo "FAIL: $*" >&2
    if [ -n "${TRACE:-}" ] && [ -f "$TRACE" ]; then
        echo "--- end of the trace ($TRACE):" >&2
        tail -n 30 "$TRACE" >&2
    fi
    exit 1
}

maintenant_ms() {
    local t=${EPOCHREALTIME/./}
    echo $((10#$t / 1000))
}

# Repeats a command until it succeeds; fails after the deadline.
attend() {
    local fin=$(($(maintenant_ms) + DELAI_MS))
    until "$@"; do
        (($(maintenant_ms) < fin)) || return 1
        sleep 0.01
    done
}

# A private folder for this run: HOME (the toolkit keeps its preferences and the file
# chooser's history there), the working folder of the program, its output and its trace.
prepare() {
    TRAVAIL=$(mktemp -d "${TMPDIR:-/tmp}/quorvel-e2e.XXXXXX")
    export HOME=$TRAVAIL/home
    DOSSIER=$TRAVAIL/dossier
    TRACE=$TRAVAIL/trace.txt
    SORTIE=$TRAVAIL/sortie.txt
    mkdir -p "$HOME" "$DOSSIER"
    QPID=
    XVFB_PID=
    trap termine EXIT
    trap 'exit 130' INT TERM
}

termine() {
    local rc=$?
    if [ -n "$QPID" ]; then kill -9 "$QPID" 2>/dev/null || true; fi
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
    fi
    if [ "$rc" = 0 ]; then rm -rf "$TRAVAIL"; else echo "files kept in $TRAVAIL" >&2; fi
}

# The screen's size is ECRAN (WIDTHxHEIGHTxDEPTH), 1280x1024x24 unless set.
demarre_xvfb() {
    local numero=$TRAVAIL/display
    Xvfb -displayfd 9 -screen 0 "${ECRAN:-1280x1024x24}" -nolisten tcp -noreset \
        9>"$numero" 2>"$TRAVAIL/xvfb.log" &
    XVFB_PID=$!
    attend grep -q '^[0-9][0-9]*$' "$numero" || echec "Xvfb did not start"
    export DISPLAY=":$(head -n 1 "$numero")"
}

# Starts the program in the working folder; W is then its main window.
lance() {
    (cd "$DOSSIER" && exec "$QUORVEL" "$@" >"$SORTIE" 2>"$TRACE") &
    QPID=$!
    attend fenetre_principale_visible || echec "the main window did not show"
}

fenetre_principale_visible() {
    tourne || echec "the program ended during start-up"
    W=$(xdotool search --onlyvisible --name "^$TITRE_PRINCIPAL\$" 2>/dev/null | head -n 1)
    [ -n "$W" ]
}

# True while the program has not ended (a child that ended stays a zombie until waited for).
tourne() {
    local etat
    etat=$(awk '{print $3}' "/proc/$QPID/stat" 2>/dev/null) || return 1
    [ -n "$etat" ] && [ "$etat" != Z ]
}

# Waits for the end of the program and checks its exit status and its empty standard output.
attend_fin() {
    local attendu=${1:-0} rc=0
    attend eval '! tourne' || echec "the program did not end"
    wait "$QPID" || rc=$?
    QPID=
    [ "$rc" = "$attendu" ] || echec "exit status $rc, expected $attendu"
    [ ! -s "$SORTIE" ] || echec "standard output is not empty: $(head -c 200 "$SORTIE")"
}

# A window's place on the screen, from xwininfo: sets PREFIX_x, PREFIX_y, PREFIX_w, PREFIX_h.
geometrie() { # window prefix
    local infos
    infos=$(xwininfo -id "$1") || echec "no geometry for window $1"
    printf -v "$2_x" '%s' "$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$infos")"
    printf -v "$2_y" '%s' "$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$infos")"
    printf -v "$2_w" '%s' "$(sed -n 's/.*Width: *//p' <<<"$infos")"
    printf -v "$2_h" '%s' "$(sed -n 's/.*Height: *//p' <<<"$infos")"
}

fenetres_visibles() { xdotool search --onlyvisible --pid "$QPID" 2>/dev/null | sort; }

# Waits until the program shows a window that is not in the list $1; sets NOUVELLE.
attend_nouvelle_fenetre() {
    attend nouvelle_fenetre "$1" || echec "no new window appeared"
}

nouvelle_fenetre() {
    NOUVELLE=$(comm -13 <(echo "$1") <(fenetres_visibles) | head -n 1)
    [ -n "$NOUVELLE" ]
}

visible() { xdotool search --onlyvisible --pid "$QPID" 2>/dev/null | grep -qx "$1"; }

attend_disparition() { attend eval "! visible $1" || echec "window $1 is still shown"; }

attend_titre() { # title; sets NOUVELLE
    attend titre_visible "$1" || echec "no window titled '$1'"
}

titre_visible() {
    NOUVELLE=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
    [ -n "$NOUVELLE" ]
}

# Clicks at a point of a window (its own coordinates).
clique() {
    xdotool mousemove --window "$1" "$2" "$3" click --delay 0 1 2>/dev/null ||
        echec "cannot click in window $1: is it gone?"
}

# Clicks at the centre of a widget of the main window.
clique_sur() {
    local r
    read -r -a r <<<"${WIDGET[$1]}"
    clique "$W" $((r[0] + r[2] / 2)) $((r[1] + r[3] / 2))
}

# Clicks the button of bit n of a port.
clique_bit() { clique "$W" $((PORT_X[$1] + 75 - 10 * $2)) 285; }

# Replaces the text of the input under the pointer's last click.
tape() {
    xdotool key ctrl+a BackSpace
    xdotool type --delay 1 "$1"
}

# Number of passes of the command loop so far: each one ends with the three ports' lines.
passes() { grep -c '^PortC: ppartage_mem ' "$TRACE" || true; }

au_moins_passes() { (($(passes) >= $1)); }

# Runs an action, then waits until the loop has made n more passes.
apres_passes() {
    local n=$1 avant
    shift
    avant=$(passes)
    "$@"
    attend au_moins_passes $((avant + n)) || echec "no pass after: $*"
}

# Number of trace lines that are exactly the text.
compte_lignes() { grep -cxF -- "$1" "$TRACE" || true; }

au_moins_lignes() { (($(compte_lignes "$2") >= $1)); }

# Picks item n of the File menu.
menu_fichier() {
    clique_sur m_fichier
    local touches=() i
    for ((i = 0; i < $1; i++)); do touches+=(Down); done
    xdotool key "${touches[@]}" Return
}

quitte() {
    apres_passes 1 menu_fichier 3
    attend_fin 0
}

# Opens a program file through the file chooser, typing its bare name.
charge() {
    [ -f "$DOSSIER/$1" ] || echec "no test program $1 in $DOSSIER"
    local avant
    avant=$(passes)
    menu_fichier 2
    attend_titre "$TITRE_CHOIX"
    tape_nom_de_fichier "$1"
    attend au_moins_passes $((avant + 1)) || echec "no pass after loading $1"
}

# Types a bare file name into the file chooser and confirms it. A click in its "Filename" input
# gives it the keyboard. The chooser rewrites a relative name into an absolute one at the first
# key and then leaves the cursor near the start unless it completed the name; so the first key
# is a throw-away one that matches no file, then the cursor goes to the end, that key is erased,
# and the name follows the folder's path. Delete drops what the completion adds after it.
tape_nom_de_fichier() {
    clique "$NOUVELLE" 295 322
    xdotool key ctrl+a numbersign End BackSpace
    xdotool type --delay 1 "$1"
    xdotool key Delete Return
}

# Writes a program file: base address, then the program's bytes as hexadecimal pairs.
ecrit_programme() { # file base bytes...
    local fichier=$1 base=$2
    shift 2
    local taille=$(($# + 4)) octets=""
    local o
    for o in $((taille >> 8)) $((taille & 255)) $((base >> 8)) $((base & 255)); do
        octets+=$(printf '\\x%02x' "$o")
    done
    for o in "$@"; do octets+="\\x$o"; done
    printf "$octets" >"$fichier"
}
