#!/usr/bin/env bash
# Sets up, builds and starts the calculator under Wine (in its own prefix, so
# that the tests never touch the settings a user keeps between runs): the shipped
# 32-bit program, or the 64-bit build of the same sources where the host runs no
# 32-bit code.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh"
source "$root/scripts/host-arch.sh"
if [ "$PEMZ_HOST_RUNS_32BIT" = 1 ]; then
    echo "run: starting build/win32/PemzCalc.exe, the 32-bit program ($PEMZ_HOST_ARCH_NOTE)"
    export WINEPREFIX="$root/build/wineprefix-app"
    tree=win32
else
    echo "run: starting build/win64/PemzCalc.exe, the 64-bit build of the same sources ($PEMZ_HOST_ARCH_NOTE)"
    export WINEPREFIX="$root/build/wineprefix-app64" WINEARCH=win64
    tree=win64
fi
exec bash "$root/scripts/with-display.sh" bash "$root/cmake/wine-run.sh" "$root/build/$tree/PemzCalc.exe"
