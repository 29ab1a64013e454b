#!/usr/bin/env bash
# Builds every fuzz target with ASan and UBSan in build-fuzz and runs each for a bounded time.
#   fuzz/run.sh [SECONDS]   (per target, 60 by default)
# Fails on any crash, leak, sanitizer report or broken invariant; prints, for each target, its
# executions and executions per second.
set -euo pipefail
cd "$(dirname "$0")/.."
duree=${1:-60}
build=build-fuzz

cmake -S . -B "$build" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_FUZZ=ON -DQUORVEL_SANITIZE=ON \
    -DQUORVEL_TESTS=OFF -DQUORVEL_GUI=OFF -DQUORVEL_BENCH=OFF >/dev/null
cmake --build "$build" -j2

# Seeds: the example program file, the benchmark's loop with registers in front, the example
# sources and case files, and the loop's bytes at address 0 for the round trip. A target without seeds of its
# own starts from an empty corpus.
corpus="$build/corpus"
mkdir -p "$corpus/chargeur" "$corpus/execution" "$corpus/assembleur" "$corpus/aller_retour" \
    "$corpus/cas"
printf '\x00\x07\x01\x00\x11\x22\x33' >"$corpus/chargeur/exemple"
boucle='\x01\x01\x26\x20\x00\x06\x20\x00\x27\x00\x10\x2d\x00\x52\x00\x03\x7a\xff\xf0'
printf "\\x00\\x00\\x00\\x00\\x00\\x00$boucle" >"$corpus/execution/boucle"
printf "\\x00\\x00$boucle" >"$corpus/aller_retour/boucle"
cp examples/*.s "$corpus/assembleur/"
cp examples/*.toml "$corpus/cas/"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for executable in "$build"/fuzz/quorvel_fuzz_*; do
    cible=${executable##*/quorvel_fuzz_}
    journal="$build/fuzz-$cible.log"
    mkdir -p "$corpus/$cible"
    options=(-max_total_time="$duree" -print_final_stats=1 -artifact_prefix="$build/fuzz-$cible-")
    [ -f "fuzz/$cible.dict" ] && options+=(-dict="fuzz/$cible.dict")
    echo "fuzz $cible: ${duree} s" >&2
    if ! "$executable" "${options[@]}" "$corpus/$cible" >"$journal" 2>&1; then
        tail -n 40 "$journal" >&2
        echo "fuzz $cible: FAILED (see $journal)" >&2
        exit 1
    fi
    # "Done 123456 runs in 60 second(s)"
    read -r executions secondes < <(sed -nE 's/^Done ([0-9]+) runs in ([0-9]+) second.*/\1 \2/p' "$journal")
    echo "fuzz $cible: $executions executions en $secondes s, $((executions / (secondes > 0 ? secondes : 1))) exec/s" >&2
done
