#!/usr/bin/env bash
# pages_test.sh <PemzCalc.chm> <folder>: every page of the compiled HTML help drawn
# by headless Chromium at 100 % and at 200 % into <folder> (<page>.png and
# <page>@2x.png, kept for looking at), each showing its heading in the stylesheet's
# colour; help-html.png there puts the contents page beside the keyboard page
# (docs/help-html.png is a copy of it).
set -euo pipefail
chm=$1 out=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmls extractall "$chm" "$work/chm" >/dev/null 2>&1
mkdir -p "$out"
heading=$(sed -n 's/^h1 {.* color: #\([0-9a-f]*\);.*/\1/p' "$work/chm/aide.css" | tr a-f A-F)
[ -n "$heading" ] || fail "aide.css gives the heading no colour"

# A fresh profile each time, and nothing that reaches the network.
draw() {  # draw <page> <png> <scale>
    local profile
    profile=$(mktemp -d "$work/profile.XXXX")
    chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
        --disable-background-networking --disable-component-update --disable-sync \
        --user-data-dir="$profile" --force-device-scale-factor="$3" --window-size=760,900 \
        --screenshot="$2" "file://$work/chm/$1" >/dev/null 2>&1
    [ -s "$2" ] || fail "Chromium drew nothing for $1 at scale $3"
    local colours
    colours=$(convert "$2" -format %c histogram:info:-)
    grep -q "#$heading" <<<"$colours" || fail "$1 at scale $3: no heading in #$heading (stylesheet not applied?)"
}

count=0
for page in "$work"/chm/*.htm; do
    name=$(basename "$page" .htm)
    draw "$name.htm" "$out/$name.png" 1
    draw "$name.htm" "$out/$name@2x.png" 2
    count=$((count + 1))
done
montage "$out/sommaire.png" "$out/clavier.png" -tile 2x1 -geometry +6+0 -background '#808080' \
    -strip -define png:exclude-chunks=date,time "$out/help-html.png"
echo "PASS: $count pages drawn at 100 % and 200 % in $out"
