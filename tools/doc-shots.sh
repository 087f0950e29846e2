#!/usr/bin/env bash
# Makes the README's pictures docs/calculator.png, docs/about-dialog.png and
# docs/settings-dialog.png from the built program, under Xvfb, in the build
# tree's Wine prefix:  bash tools/doc-shots.sh   (after scripts/build.sh)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$root/build/win32"
cmake --build . --target pemz_doc_shots PemzCalc >/dev/null
PEMZ_FORCE_XVFB=1 bash "$root/scripts/with-display.sh" \
    bash "$root/cmake/wine-run.sh" tests/ui/pemz_doc_shots.exe "$work"
for name in calculator about-dialog settings-dialog; do
    # No time stamps: the same picture gives the same file.
    convert "$work/$name.bmp" -strip -define png:exclude-chunks=date,time "$root/docs/$name.png"
    echo "docs/$name.png"
done
