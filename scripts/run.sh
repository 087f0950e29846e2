#!/usr/bin/env bash
# Sets up, builds and starts the calculator under Wine (in its own prefix, so
# that the tests never touch the settings a user keeps between runs).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh"
export WINEPREFIX="$root/build/wineprefix-app"
exec bash "$root/scripts/with-display.sh" bash "$root/cmake/wine-run.sh" "$root/build/win32/PemzCalc.exe"
