#!/usr/bin/env bash
# Soak run: bash scripts/soak.sh [N] [SEED] [KIND]
# Drives build/win32/PemzCalc.exe with N random user actions (default 100000)
# and prints the program's GDI objects, windows and private bytes every 1,000
# actions. It runs in a 32-bit prefix of its own (WINEARCH=win32), where the
# program's settings are its alone. The figures also go to
# build/soak/soak-N-SEED.txt. KIND (typed, clicked, menu, paste, precision,
# currency, settings or about) makes only that kind of action, to tell which
# one a growth comes with; its figures go to build/soak/soak-N-SEED-KIND.txt.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
actions=${1:-100000}
seed=${2:-1}
kind=${3:-}

cmake --build "$root/build/win32" --target pemz_soak PemzCalc -j "$(nproc)" >/dev/null
mkdir -p "$root/build/soak"
export WINEARCH=win32 WINEPREFIX="$root/build/soak/wineprefix"
bash "$root/scripts/with-display.sh" bash "$root/cmake/wine-run.sh" \
    "$root/build/win32/tests/ui/pemz_soak.exe" "$actions" "$seed" $kind | tee "$root/build/soak/soak-$actions-$seed${kind:+-$kind}.txt"
