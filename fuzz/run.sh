#!/usr/bin/env bash
# Builds the fuzz targets with ASan and UBSan in build-fuzz and runs each for a bounded time.
#   fuzz/run.sh [SECONDS]   (60 by default)
# Fails on any crash, leak, sanitizer report or broken invariant; prints the runs of each target.
set -euo pipefail
cd "$(dirname "$0")/.."
duree=${1:-60}
build=build-fuzz

cmake -S . -B "$build" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_FUZZ=ON -DQUORVEL_SANITIZE=ON \
    -DQUORVEL_TESTS=OFF -DQUORVEL_GUI=OFF -DQUORVEL_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target quorvel_fuzz_chargeur quorvel_fuzz_execution

# Seeds: the example program file, and the benchmark's loop with registers in front.
mkdir -p "$build/corpus/chargeur" "$build/corpus/execution"
printf '\x00\x07\x01\x00\x11\x22\x33' >"$build/corpus/chargeur/exemple"
printf '\x00\x00\x00\x00\x00\x00\x01\x01\x26\x20\x00\x06\x20\x00\x27\x00\x10\x2d\x00\x52\x00\x03\x7a\xff\xf0' \
    >"$build/corpus/execution/boucle"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for cible in chargeur execution; do
    journal="$build/fuzz-$cible.log"
    echo "fuzz $cible: ${duree} s" >&2
    if ! "$build/fuzz/quorvel_fuzz_$cible" -max_total_time="$duree" -print_final_stats=1 \
        -artifact_prefix="$build/fuzz-$cible-" "$build/corpus/$cible" >"$journal" 2>&1; then
        tail -n 40 "$journal" >&2
        echo "fuzz $cible: FAILED (see $journal)" >&2
        exit 1
    fi
    grep -E '^Done [0-9]+ runs' "$journal" | sed "s/^/fuzz $cible: /" >&2
done
