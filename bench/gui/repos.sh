#!/usr/bin/env bash
# CPU used by the idle simulator: user + system time from /proc over 10 s, once it has shown
# its window and settled for a second.
#   repos.sh BUILD_DIR
set -euo pipefail
ICI=$(cd "$(dirname "$0")" && pwd)
source "$ICI/../../tests/gui/e2e/commun.sh"
BUILD=$(cd "${1:?usage: repos.sh BUILD_DIR}" && pwd)
QUORVEL=$BUILD/src/simulateur/quorvel
DUREE=10

prepare
demarre_xvfb
lance
sleep 1

temps_cpu() { awk '{ print $14 + $15 }' "/proc/$QPID/stat"; }

avant=$(temps_cpu)
t0=$(maintenant_ms)
sleep $DUREE
apres=$(temps_cpu)
t1=$(maintenant_ms)
tourne || echec "the program ended"
awk -v d=$((apres - avant)) -v hz="$(getconf CLK_TCK)" -v ms=$((t1 - t0)) \
    'BEGIN { printf "Idle: %d ticks in %.1f s = %.2f %% of one core\n", d, ms / 1000, 100 * d / hz / (ms / 1000) }'
quitte
