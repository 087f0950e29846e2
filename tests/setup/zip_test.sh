#!/usr/bin/env bash
# The portable package: zip_test.sh <package.zip> <make-zip.sh> <LISEZMOI source> <shipped file>...
# Its entries in order, the program unchanged and without a link time,
# LISEZMOI.TXT in Windows-1252 with CRLF line ends, and the same bytes when
# made again from copies that carry other dates and modes.
set -euo pipefail
zip=$1 make_zip=$2 lisezmoi=$3
shift 3
fail() { echo "FAIL: $*" >&2; exit 1; }

expected=$(for f in "$@"; do basename "$f"; done; echo LISEZMOI.TXT)
actual=$(unzip -Z1 "$zip")
[ "$actual" = "$expected" ] || fail "entries: $(echo $actual), expected $(echo $expected)"
unzip -tq "$zip" >/dev/null || fail "the archive does not test sound"
unzip -p "$zip" PemzCalc.exe | cmp -s - "$1" || fail "PemzCalc.exe differs from the build's"
# A link time in the PE header would make every build's program, and so its zip, differ.
u32() { od -An -tu4 -j "$2" -N4 "$1" | tr -d ' '; }
pe=$(u32 "$1" 60)
[ "$(u32 "$1" $((pe + 8)))" = 0 ] || fail "PemzCalc.exe carries its link time"

text=$(mktemp)
work=$(mktemp -d)
trap 'rm -rf "$text" "$work"' EXIT
unzip -p "$zip" LISEZMOI.TXT >"$text"
[ "$(grep -c $'\r$' "$text")" = "$(wc -l <"$text")" ] || fail "LISEZMOI.TXT: a line without CRLF"
grep -q $'\xe9' "$text" || fail "LISEZMOI.TXT: no Windows-1252 'é'"
! grep -q $'\xc3' "$text" || fail "LISEZMOI.TXT: UTF-8 left in it"

copies=()
for f in "$@"; do
    cp "$f" "$work/"
    chmod 0755 "$work/$(basename "$f")"
    touch -d '2020-06-15 08:30' "$work/$(basename "$f")"
    copies+=("$work/$(basename "$f")")
done
cp "$lisezmoi" "$work/LISEZMOI.txt"
touch "$work/LISEZMOI.txt"
TZ=America/Cayenne bash "$make_zip" "$work/again.zip" "$work/LISEZMOI.txt" "${copies[@]}"
cmp "$zip" "$work/again.zip" || fail "a second build gives other bytes"
echo "PASS: $(echo $expected)"
