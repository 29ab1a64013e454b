#!/usr/bin/env bash
# Writes docs/screenshot.png: the main window, under a private X server, after the example
# counter has run for a while (its value on port C's lights) with two of port B's switches on,
# then run again to a breakpoint set by a click on the disassembly line of "STORE PORTC".
#   tools/screenshot.sh [BUILD_DIR]      (default: build; needs xvfb, xdotool, imagemagick)
set -euo pipefail
RACINE=$(cd "$(dirname "$0")/.." && pwd)
source "$RACINE/tests/gui/e2e/commun.sh"
BUILD=$(cd "${1:-$RACINE/build}" && pwd)
QUORVEL=$BUILD/src/simulateur/quorvel
[ -x "$QUORVEL" ] || echec "no program at $QUORVEL: build first"
[ -f "$BUILD/examples/compteur.bin" ] || echec "no examples/compteur.bin in $BUILD"

# Clicks line n (from 1) of the disassembly view.
clique_ligne_desassemblage() { clique "$W" 170 $((430 + 20 * ($1 - 1) + 10)); }

prepare
demarre_xvfb
cp "$BUILD/examples/compteur.bin" "$DOSSIER/"
# A tooltip is a window of its own: none in the picture.
lance -notooltips
charge compteur.bin
apres_passes 1 clique_bit B 0
apres_passes 1 clique_bit B 2
apres_passes 1 clique_sur B_PLAY
attend au_moins_passes 3000 || echec "the program does not run"
apres_passes 1 clique_sur B_STOP
# The view still starts at 0, where the load put it: line 4 is "8 STORE 4100", the store to port C.
apres_passes 1 clique_ligne_desassemblage 4
apres_passes 1 clique_sur B_PLAY
attend au_moins_lignes 1 "point d'arret en \$0008" ||
    echec "the run did not stop at the breakpoint (a build without breakpoints?)"
# Park the pointer outside the window so that it hides nothing.
xdotool mousemove 0 0
mkdir -p "$RACINE/docs"
import -window "$W" "PNG24:$RACINE/docs/screenshot.png"
quitte
echo "wrote docs/screenshot.png" >&2
