#!/usr/bin/env bash
# Makes the README's pictures docs/calculator.png, docs/about-dialog.png and
# docs/settings-dialog.png from the built program, under Xvfb, in the build
# tree's Wine prefix:  bash tools/doc-shots.sh   (after scripts/build.sh)
# From the shipped 32-bit program, or the 64-bit build where no 32-bit code runs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$root/scripts/host-arch.sh"
tree=win32
if [ "$PEMZ_HOST_RUNS_32BIT" = 0 ]; then
    tree=win64
    export WINEARCH=win64
fi
echo "doc-shots: $PEMZ_HOST_ARCH_NOTE; pictures from build/$tree"
export WINEPREFIX="$root/build/$tree/wineprefix"
cd "$root/build/$tree"
cmake --build . --target pemz_doc_shots PemzCalc >/dev/null
PEMZ_FORCE_XVFB=1 bash "$root/scripts/with-display.sh" \
    bash "$root/cmake/wine-run.sh" tests/ui/pemz_doc_shots.exe "$work"
for name in calculator about-dialog settings-dialog; do
    # No time stamps: the same picture gives the same file.
    convert "$work/$name.bmp" -strip -define png:exclude-chunks=date,time "$root/docs/$name.png"
    echo "docs/$name.png"
done
