#!/usr/bin/env bash
# Steps per second of the simulator in run mode, with its trace going to a file, over 10 s, on
# a fixed loop at address 0 that changes A, PC and a byte of the dump at every turn:
#   LOAD $0040 / ADDI 1 / STORE $0040 / BNE -8 / B -11
# In run mode every pass makes one step and ends with the three ports' lines, so the steps are
# the "PortC:" lines written during the measure (each BNE line, a turn of 4 steps, cross-checks).
#   execution.sh BUILD_DIR
set -euo pipefail
ICI=$(cd "$(dirname "$0")" && pwd)
source "$ICI/../../tests/gui/e2e/commun.sh"
BUILD=$(cd "${1:?usage: execution.sh BUILD_DIR}" && pwd)
QUORVEL=$BUILD/src/simulateur/quorvel
DUREE=10

prepare
demarre_xvfb
ecrit_programme "$DOSSIER/boucle.bin" 0 02 00 40 25 01 06 00 40 56 FF F8 7A FF F5
lance
charge boucle.bin
apres_passes 1 clique_sur B_PLAY
attend au_moins_lignes 1 "non egalite!" || echec "the program does not run"
sleep 1

temps_cpu() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

o0=$(stat -c %s "$TRACE")
c0=$(temps_cpu "$QPID")
x0=$(temps_cpu "$XVFB_PID")
t0=$(maintenant_ms)
sleep $DUREE
o1=$(stat -c %s "$TRACE")
c1=$(temps_cpu "$QPID")
x1=$(temps_cpu "$XVFB_PID")
t1=$(maintenant_ms)
head -c "$o1" "$TRACE" | tail -c +$((o0 + 1)) >"$TRAVAIL/mesure.txt"
pas=$(grep -c '^PortC: ppartage_mem ' "$TRAVAIL/mesure.txt" || true)
tours=$(grep -c 'egalite!$' "$TRAVAIL/mesure.txt" || true)

apres_passes 1 clique_sur B_STOP
quitte
awk -v p="$pas" -v t="$tours" -v ms=$((t1 - t0)) -v o=$((o1 - o0)) -v hz="$(getconf CLK_TCK)" \
    -v q=$((c1 - c0)) -v x=$((x1 - x0)) -v charge="$(cut -d' ' -f1 /proc/loadavg)" 'BEGIN {
    s = ms / 1000
    printf "Run mode: %d steps in %.2f s = %.0f steps/s (%d BNE lines x 4 = %d; trace %.1f MB/s)\n",
        p, s, p / s, t, 4 * t, o / s / 1e6
    printf "  CPU: quorvel %.0f %%, Xvfb %.0f %% of one core; load average %s\n",
        100 * q / hz / s, 100 * x / hz / s, charge }'
