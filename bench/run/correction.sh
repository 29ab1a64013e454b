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

# Best wall time of a few runs with -j $1, and the CPU time of that run: "WALL CPU" in seconds.
mesure() {
    local meilleur="" temps
    TIMEFORMAT='%R %U'
    for _ in $(seq 1 "$essais"); do
        temps=$({ time "$runner" --cas "$dossier/exercice.toml" -j "$1" "$dossier"/copies/*.s \
            >"$dossier/rapport.txt"; } 2>&1)
        meilleur=$(echo "$temps $meilleur" | awk '{ if (NF < 4 || $1 < $3) print $1, $2; else print $3, $4 }')
    done
    grep -q "^bilan: 120 copie(s) sur 120 " "$dossier/rapport.txt" ||
        { echo "unexpected report:" >&2; tail -n 5 "$dossier/rapport.txt" >&2; exit 1; }
    echo "$meilleur"
}

echo "CPU: $(lscpu | sed -n 's/^Model name: *//p' | head -n 1), $(nproc) cores"
read -r j1 cpu1 < <(mesure 1)
read -r j2 cpu2 < <(mesure 2)
awk -v j1="$j1" -v j2="$j2" -v c1="$cpu1" -v c2="$cpu2" 'BEGIN {
    printf "120 copies x 8 cas x 2 departs x 100000 pas: -j1 %.2f s (CPU %.2f s), ", j1, c1
    printf "-j2 %.2f s (CPU %.2f s): x%.2f\n", j2, c2, j1 / j2
}'
