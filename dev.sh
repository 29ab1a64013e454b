#!/usr/bin/env bash
# Build helper for a fresh Debian 12 machine.
#   ./dev.sh start   install what is missing, build, start the simulator
#   ./dev.sh test    install what is missing, build (plain and sanitized), run every test
set -euo pipefail
cd "$(dirname "$0")"

PAQUETS_BUILD=(cmake make g++ pkg-config libfltk1.3-dev libx11-dev libcli11-dev libtomlplusplus-dev)
PAQUETS_TEST=(libgtest-dev libbenchmark-dev xvfb xauth xdotool imagemagick x11-utils desktop-file-utils groff-base
    python3 dpkg-dev fakeroot file lintian appstream)
JOBS=$(nproc 2>/dev/null || echo 2)

installe() {
    local manquants=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || manquants+=("$p")
    done
    ((${#manquants[@]})) || return 0
    local sudo=""
    [ "$(id -u)" = 0 ] || sudo=sudo
    echo "Installing: ${manquants[*]}" >&2
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${manquants[@]}"
}

construit() { # build-dir, cmake options...
    local dir=$1
    shift
    cmake -S . -B "$dir" "$@"
    cmake --build "$dir" -j "$JOBS"
}

case "${1:-start}" in
start)
    installe "${PAQUETS_BUILD[@]}"
    construit build -DCMAKE_BUILD_TYPE=Release -DQUORVEL_TESTS=OFF
    programme="$PWD/build/src/simulateur/quorvel"
    # Start in the folder of the assembled examples, so the file chooser opens on them.
    cd build/examples 2>/dev/null || true
    exec "$programme" "${@:2}"
    ;;
test)
    installe "${PAQUETS_BUILD[@]}" "${PAQUETS_TEST[@]}"
    construit build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_BENCH=ON
    (cd build-test && ctest --output-on-failure -j "$JOBS")
    construit build-asan -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_SANITIZE=ON
    (cd build-asan && ctest --output-on-failure -j "$JOBS")
    ;;
*)
    echo "usage: $0 [start|test]" >&2
    exit 2
    ;;
esac
