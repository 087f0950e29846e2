#!/usr/bin/env bash
# Sets up, checks the sources' format, builds and runs every test: the portable
# tests natively (under AddressSanitizer and UBSan), a short run of every fuzz
# target, and every Windows test under Wine: on build/win32 (the shipped 32-bit
# program) and build/win64 where the host runs 32-bit code, on build/win64 alone
# where it does not. The shipped program's static checks run on every host.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
source "$root/scripts/host-arch.sh"
echo "test: $PEMZ_HOST_ARCH_NOTE"
bash "$root/scripts/check-format.sh"
bash "$root/scripts/build.sh"

cd "$root/build/native"
ctest --output-on-failure -j "$(nproc)"

bash "$root/scripts/fuzz.sh" smoke

# ctest under one display, with the tree's own Wine prefix drained at the end.
windows_ctest() {
    local tree=$1
    shift
    (cd "$root/build/$tree" &&
        WINEPREFIX="$root/build/$tree/wineprefix" PEMZ_FORCE_XVFB=1 \
            bash "$root/scripts/with-display.sh" ctest --output-on-failure "$@")
}

status=0
if [ "$PEMZ_HOST_RUNS_32BIT" = 1 ]; then
    echo "test: Windows tests of build/win32, the shipped 32-bit program, under wine"
    windows_ctest win32 || status=1
else
    echo "test: static checks of build/win32, the shipped 32-bit program"
    (cd "$root/build/win32" && ctest --output-on-failure -L static) || status=1
    not_run=$(cd "$root/build/win32" && ctest -N -LE static | sed -n 's/^ *Test *#[0-9]*: //p' | tr '\n' ' ')
    echo "test: NOTE the 32-bit program was built and checked statically, but not run ($PEMZ_HOST_ARCH_NOTE)."
    echo "test:      Its Windows tests run on build/win64 below instead; not run on build/win32: $not_run"
fi
echo "test: Windows tests of build/win64, the same sources as a 64-bit program, under wine64"
windows_ctest win64 || status=1
exit $status
