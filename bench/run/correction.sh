#!/usr/bin/env bash
# Wall time of grading with quorvel-run --cas: 120 generated submissions (distinct sources) x 8
# cases, each case running out its 100,000-step budget from both start states (192 million
# steps), with -j1 and with -j2. Prints the best of a few runs of each and the speed-up.
#   bench/run/correction.sh BUILD_DIR [RUNS]   (RUNS: 3 by default)
set -euo pipefail
construction=$(cd "${1:?usage: $0 BUILD_DIR [RUNS]}" && pwd)
essais=${2:-3}
runner="$construction/tools/run/quorvel-run"
[ -x "$runner" ] || { echo "no $runner: build first" >&2; exit 1; }

dossier=$(mktemp -d)
trap 'rm -rf "$dossier"' EXIT

# Submission n: a counter stepped by a value of its own, added to port B and shown on port C,
# with n % 4 NOPs in the loop; it never stops.
mkdir "$dossier/copies"
for n in $(seq 1 120); do
    {
        echo "; copie $n"
        echo "        ORG 0"
        echo "debut:  LOADI $((n % 256))"
        echo "boucle: ADD \$1002"
        echo "        STORE \$1004"
        echo "        ADDI $(((n * 7) % 256))"
        echo "        STORE \$2000"
        for _ in $(seq 1 $((n % 4))); do echo "        NOP"; done
        echo "        B boucle"
    } >"$dossier/copies/copie_$(printf %03d "$n").s"
done

# Eight cases: four start states, four switches flipped during the run.
{
    echo 'titre = "Banc d essai"'
    echo 'pas_max = 100000'
    for c in 0 1 2 3; do
        echo '[[cas]]'
        echo "nom = \"depart $c\""
        echo "ports = { B = $((c * 17)) }"
        echo "memoire = [{ adresse = 0x2000, octets = [$c, $((c + 1))] }]"
        echo 'attendu = { arret = "budget" }'
        echo '[[cas]]'
        echo "nom = \"bascule $c\""
        echo "entrees = [{ pas = $((1000 + c * 20000)), port = \"B\", valeur = $((c + 1)) }]"
        echo 'attendu = { arret = "budget" }'
    done
} >"$dossier/exercice.toml"

# Wall and CPU time of one grading with -j $1: "WALL CPU" in seconds.
mesure() {
    local temps
    TIMEFORMAT='%R %U'
    temps=$({ time "$runner" --cas "$dossier/exercice.toml" -j "$1" "$dossier"/copies/*.s \
        >"$dossier/rapport.txt"; } 2>&1)
    grep -q "^bilan: 120 copie(s) sur 120 " "$dossier/rapport.txt" ||
        { echo "unexpected report:" >&2; tail -n 5 "$dossier/rapport.txt" >&2; exit 1; }
    echo "$temps"
}

# The best of each, -j1 and -j2 taking turns, so that both meet the same load of the machine.
echo "CPU: $(lscpu | sed -n 's/^Model name: *//p' | head -n 1), $(nproc) cores"
for _ in $(seq 1 "$essais"); do
    echo "1 $(mesure 1)"
    echo "2 $(mesure 2)"
done | awk '
    !($1 in mur) || $2 < mur[$1] { mur[$1] = $2; cpu[$1] = $3 }
    END {
        printf "120 copies x 8 cas x 2 departs x 100000 pas: -j1 %.2f s (CPU %.2f s), ", mur[1], cpu[1]
        printf "-j2 %.2f s (CPU %.2f s): x%.2f\n", mur[2], cpu[2], mur[1] / mur[2]
    }'
