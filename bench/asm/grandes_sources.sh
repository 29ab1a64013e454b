#!/usr/bin/env bash
# Time and peak memory of quorvel-asm on 16 MiB sources made to be hard for it, each with a
# listing; fails when one takes 5 s or more, or 1 GiB or more.
#   grandes_sources.sh BUILD_DIR
set -euo pipefail
BUILD=$(cd "${1:?usage: grandes_sources.sh BUILD_DIR}" && pwd)
ASM=$BUILD/tools/asm/quorvel-asm
DOSSIER=$(mktemp -d)
trap 'rm -rf "$DOSSIER"' EXIT

# NAME and a Python expression of i for line i; lines are added while they fit in 16 MiB.
SOURCES=(
    "vides|'\n'"
    "commentaires|'; rien\n'"
    "etiquettes|'e%x:\n' % i"
    "constantes|'c%x EQU %d\n' % (i, i % 1000)"
    "org|'ORG 0\n'"
    "nop|'NOP\n'"
    "chevauchements|'ORG 0\nNOP\n'"
    "une_ligne_db|(' DB 1' if i == 0 else ',1')"
)

printf '%-16s %8s %12s %s\n' source secondes "pic (Mio)" "code"
echec=0
for entree in "${SOURCES[@]}"; do
    nom=${entree%%|*}
    python3 - "$DOSSIER/$nom.s" "${entree#*|}" <<'PY'
import sys
taille = 16 * 1024 * 1024
morceaux, total, i = [], 0, 0
while True:
    ligne = eval(sys.argv[2]).encode()
    if total + len(ligne) > taille:
        break
    morceaux.append(ligne)
    total += len(ligne)
    i += 1
open(sys.argv[1], 'wb').write(b''.join(morceaux) + b'\n' * (taille - total))
PY
    code=0
    /usr/bin/time -f '%e %M' -o "$DOSSIER/mesure" "$ASM" "$DOSSIER/$nom.s" \
        -o "$DOSSIER/p.bin" -l "$DOSSIER/p.lst" 2>/dev/null || code=$?
    read -r secondes kio < <(tail -n 1 "$DOSSIER/mesure")
    printf '%-16s %8s %12d %s\n' "$nom" "$secondes" $((kio / 1024)) "$code"
    if awk -v s="$secondes" -v k="$kio" 'BEGIN { exit !(s >= 5 || k >= 1048576) }'; then echec=1; fi
    rm -f "$DOSSIER/$nom.s"
done
exit $echec
