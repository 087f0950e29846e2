#!/usr/bin/env bash
# Makes the portable package: make-zip.sh <out.zip> <LISEZMOI source> <file>...
# The files go in in the order given, then LISEZMOI.TXT (Windows-1252, CRLF).
# Same inputs, same bytes: every entry gets one fixed date and mode, and zip
# writes no extra fields (owner, precise times) that differ between builds.
set -euo pipefail
out=$1 lisezmoi=$2
shift 2

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
names=()
for file in "$@"; do
    cp "$file" "$stage/"
    names+=("$(basename "$file")")
done
iconv -f UTF-8 -t CP1252 "$lisezmoi" | sed 's/$/\r/' >"$stage/LISEZMOI.TXT"
names+=(LISEZMOI.TXT)

export TZ=UTC
date="@${SOURCE_DATE_EPOCH:-1009886400}"   # 2002-01-01 12:00 UTC
for name in "${names[@]}"; do
    chmod 0644 "$stage/$name"
    touch -d "$date" "$stage/$name"
done
rm -f "$stage/out.zip"
(cd "$stage" && zip -q -X -D out.zip "${names[@]}")
mv "$stage/out.zip" "$out"
