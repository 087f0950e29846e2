#!/usr/bin/env bash
# Sets up, checks the sources' format, builds and runs every test: the portable
# tests natively (under AddressSanitizer and UBSan), a short run of every fuzz
# target, and every Windows test under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
bash "$root/scripts/check-format.sh"
bash "$root/scripts/build.sh"

cd "$root/build/native"
ctest --output-on-failure -j "$(nproc)"

bash "$root/scripts/fuzz.sh" smoke

cd "$root/build/win32"
PEMZ_FORCE_XVFB=1 bash "$root/scripts/with-display.sh" ctest --output-on-failure
