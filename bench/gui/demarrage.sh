#!/usr/bin/env bash
# Start-up of the simulator against a bare FLTK program with the same window, the same way of
# showing it and the same loop: time from exec to the main window mapped, and peak memory
# (VmHWM), each the median of 5 runs, after one unmeasured run of each (cold font caches).
#   demarrage.sh BUILD_DIR        (built with -DQUORVEL_BENCH=ON)
set -euo pipefail
ICI=$(cd "$(dirname "$0")" && pwd)
source "$ICI/../../tests/gui/e2e/commun.sh"
BUILD=$(cd "${1:?usage: demarrage.sh BUILD_DIR}" && pwd)
QUORVEL=$BUILD/src/simulateur/quorvel
NUE=$BUILD/bench/gui/fenetre_nue
MESURE=$BUILD/bench/gui/mesure_demarrage
RUNS=5

prepare
demarre_xvfb
cd "$DOSSIER"

mesure() { "$MESURE" 500 "$1" 2>>"$TRAVAIL/trace.txt" || echec "no window from $1"; }

declare -A MS KO
for programme in "$QUORVEL" "$NUE"; do mesure "$programme" >/dev/null; done
for ((i = 0; i < RUNS; i++)); do
    for programme in "$QUORVEL" "$NUE"; do
        read -r ms ko < <(mesure "$programme")
        MS[$programme]+="$ms "
        KO[$programme]+="$ko "
    done
done

mediane() { tr ' ' '\n' <<<"$1" | grep . | sort -g | sed -n "$(((RUNS + 1) / 2))p"; }

printf 'Start-up, median of %d runs   exec to mapped (ms)   VmHWM (kB)\n' $RUNS
for programme in "$QUORVEL" "$NUE"; do
    printf '%-30s %18s %12s   (runs: %s)\n' "$(basename "$programme")" \
        "$(mediane "${MS[$programme]}")" "$(mediane "${KO[$programme]}")" "${MS[$programme]% }"
done
awk -v a="$(mediane "${MS[$QUORVEL]}")" -v b="$(mediane "${MS[$NUE]}")" \
    -v c="$(mediane "${KO[$QUORVEL]}")" -v d="$(mediane "${KO[$NUE]}")" \
    'BEGIN { printf "%-30s %18.2f %12.2f\n", "ratio quorvel / bare", a / b, c / d }'
