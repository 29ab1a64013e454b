#!/usr/bin/env bash
# CPU used by the simulator running at "5 pas/s": user + system time from /proc over 10 s, of the
# program and of the X server, on the loop of execution.sh. Between two steps the program should
# rest in the toolkit's wait, not poll.
#   vitesse_repos.sh BUILD_DIR
set -euo pipefail
ICI=$(cd "$(dirname "$0")" && pwd)
source "$ICI/../../tests/gui/e2e/commun.sh"
BUILD=$(cd "${1:?usage: vitesse_repos.sh BUILD_DIR}" && pwd)
QUORVEL=$BUILD/src/simulateur/quorvel
DUREE=10

prepare
demarre_xvfb
ecrit_programme "$DOSSIER/boucle.bin" 0 02 00 40 25 01 06 00 40 56 FF F8 7A FF F5
lance -notooltips
charge boucle.bin
# VITESSE, then its fifth item.
clique "$W" 535 270
apres_passes 1 xdotool key Down Down Down Down Return
apres_passes 1 clique_sur B_PLAY
attend au_moins_lignes 1 "non egalite!" || echec "the program does not run"
xdotool mousemove 0 0
sleep 1

temps_cpu() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

p0=$(passes)
c0=$(temps_cpu "$QPID")
x0=$(temps_cpu "$XVFB_PID")
t0=$(maintenant_ms)
sleep $DUREE
p1=$(passes)
c1=$(temps_cpu "$QPID")
x1=$(temps_cpu "$XVFB_PID")
t1=$(maintenant_ms)

apres_passes 1 clique_sur B_STOP
quitte
awk -v p=$((p1 - p0)) -v ms=$((t1 - t0)) -v hz="$(getconf CLK_TCK)" -v q=$((c1 - c0)) \
    -v x=$((x1 - x0)) -v charge="$(cut -d' ' -f1 /proc/loadavg)" 'BEGIN {
    s = ms / 1000
    printf "Run mode at 5 steps/s: %d steps in %.2f s = %.2f steps/s\n", p, s, p / s
    printf "  CPU: quorvel %.2f %%, Xvfb %.2f %% of one core (%d and %d ticks); load average %s\n",
        100 * q / hz / s, 100 * x / hz / s, q, x, charge }'
