#!/usr/bin/env bash
# Emulator for the Windows build: runs a program under Wine in the build tree's
# private prefix, creating that prefix once (concurrent callers wait for it).
set -euo pipefail
: "${WINEPREFIX:=$(cd "$(dirname "$0")/.." && pwd)/build/win32/wineprefix}"
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

if [ ! -e "$WINEPREFIX/.pemz-ready" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    exec 9>"$WINEPREFIX.lock"
    flock 9
    if [ ! -e "$WINEPREFIX/.pemz-ready" ]; then
        wineboot -i >/dev/null 2>&1 || true
        # Without a window manager Wine waits ~2 s for every closed top-level
        # window unless its X11 driver leaves window management alone.
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
        wineserver -w
        touch "$WINEPREFIX/.pemz-ready"
    fi
    flock -u 9
fi
exec wine "$@"
