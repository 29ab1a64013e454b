#!/usr/bin/env bash
# Writes docs/screenshot.png: the main window, under a private X server, after the example
# counter has run for a while (its value on port C's lights) with two of port B's switches on.
#   tools/screenshot.sh [BUILD_DIR]      (default: build; needs xvfb, xdotool, imagemagick)
set -euo pipefail
RACINE=$(cd "$(dirname "$0")/.." && pwd)
source "$RACINE/tests/gui/e2e/commun.sh"
BUILD=$(cd "${1:-$RACINE/build}" && pwd)
QUORVEL=$BUILD/src/simulateur/quorvel
[ -x "$QUORVEL" ] || echec "no program at $QUORVEL: build first"
[ -f "$BUILD/examples/compteur.bin" ] || echec "no examples/compteur.bin in $BUILD"

prepare
demarre_xvfb
cp "$BUILD/examples/compteur.bin" "$DOSSIER/"
lance
charge compteur.bin
apres_passes 1 clique_bit B 0
apres_passes 1 clique_bit B 2
apres_passes 1 clique_sur B_PLAY
attend au_moins_passes 3000 || echec "the program does not run"
apres_passes 1 clique_sur B_STOP
# Park the pointer outside the window so that it hides nothing.
xdotool mousemove 0 0
mkdir -p "$RACINE/docs"
import -window "$W" "PNG24:$RACINE/docs/screenshot.png"
quitte
echo "wrote docs/screenshot.png" >&2
