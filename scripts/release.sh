#!/usr/bin/env bash
# Makes the release files: installs what is missing, builds, and names what a
# Windows user gets, the setup and the portable zip, in build/win32/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh"
cache="$root/build/win32/CMakeCache.txt"
echo "release files:"
ls -l "$(sed -n 's/^PEMZ_SETUP_FILE:INTERNAL=//p' "$cache")" "$(sed -n 's/^PEMZ_ZIP_FILE:INTERNAL=//p' "$cache")"
