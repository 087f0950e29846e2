#!/usr/bin/env bash
# chm_test.sh <PemzCalc.chm> <context table .rc> <help source>...: the compiled HTML
# help read back with chmls. Every topic of the sources has its page, titled as the
# topic; every link of a page leads to a file of the CHM; no page runs a script or
# loads anything from outside it; the contents list every topic, the first topic's
# links first and in their order; the index holds every keyword of the sources; the
# program's context table gives each .map number the page of its topic (the .HLP's
# |CTXOMAP gives it the topic: helpc_test).
set -euo pipefail
chm=$1 contexts=$2
shift 2
fail() { echo "FAIL: $*" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmls extractall "$chm" "$work/chm" >/dev/null 2>&1
stem=$(basename "$chm" .chm)
# The sources are UTF-8; the CHM's texts Windows-1252.
utf8() { iconv -f CP1252 -t UTF-8 "$work/chm/$1"; }

pages=()
for source in "$@"; do
    while read -r _ context title; do
        pages+=("$context.htm")
        [ -f "$work/chm/$context.htm" ] || fail "no page $context.htm for the topic $context"
        shown=$(utf8 "$context.htm" | sed -n 's:^<title>\(.*\)</title>$:\1:p')
        [ "$shown" = "$title" ] || fail "$context.htm is titled \"$shown\", the topic \"$title\""
    done < <(grep '^= ' "$source")
done

for page in "${pages[@]}"; do
    while read -r target; do
        [ -f "$work/chm/${target%%#*}" ] || fail "$page links to $target, which the CHM does not hold"
    done < <(grep -o '\(href\|src\)="[^"]*"' "$work/chm/$page" | sed 's/^[a-z]*="\(.*\)"$/\1/')
    ! grep -qi '<script\|<iframe\|<object\|<embed\|<img\|\(href\|src\)="[a-z]*:' "$work/chm/$page" ||
        fail "$page runs a script or loads something from outside the CHM"
done

# The contents: the first topic, its links in order, then every other topic.
first=$1
sommaire=$(grep -m1 '^= ' "$first" | cut -d' ' -f2)
expected=("$sommaire.htm")
while read -r context; do
    [[ " ${expected[*]} " == *" $context.htm "* ]] || expected+=("$context.htm")
done < <(sed -n "/^= $sommaire /,/^= /p" "$first" | grep -o '](\([A-Za-z0-9_.]*\))' | sed 's/^](\(.*\))$/\1/')
for page in "${pages[@]}"; do
    [[ " ${expected[*]} " == *" $page "* ]] || expected+=("$page")
done
contents=$(utf8 "$stem.hhc" | sed -n 's:.*<param name="Local" value="\(.*\)">.*:\1:p' | tr '\n' ' ')
[ "$contents" = "${expected[*]} " ] || fail "contents: $contents; expected ${expected[*]}"

index=$(utf8 "$stem.hhk")
for source in "$@"; do
    while IFS= read -r keyword; do
        grep -qF "<param name=\"Name\" value=\"$keyword\">" <<<"$index" || fail "the index lacks \"$keyword\""
    done < <(sed -n 's/^\.keywords //p' "$source" | tr ';' '\n' | sed 's/^ *//; s/ *$//')
done
table=$(sed -n 's/^ *"\(.*\)"$/\1/p' "$contexts")
numbers=0
for source in "$@"; do
    while read -r context number; do
        [[ ";$table" == *";$number=$context.htm;"* ]] || fail "context number $number does not open $context.htm: $table"
        numbers=$((numbers + 1))
    done < <(awk '/^= / { context = $2 } /^\.map / { print context, $2 }' "$source")
done
[ "$(tr -cd ';' <<<"$table" | wc -c)" = "$numbers" ] || fail "the context table holds numbers the sources do not give"
echo "PASS: ${#pages[@]} pages, their links, the contents, the index and $numbers context numbers"
