#!/usr/bin/env bash
# Runs a command inside one X display shared by every Wine process it starts.
# Without a display an Xvfb server (24-bit, so pixels can be read) is started
# for the command's lifetime. The build tree's Wine server is drained before the
# display goes away: Wine processes of one prefix must never span two displays.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
: "${WINEPREFIX:=$root/build/win32/wineprefix}"
export WINEPREFIX

if [ -n "${DISPLAY:-}" ] && [ "${PEMZ_FORCE_XVFB:-0}" != 1 ]; then
    "$@"; rc=$?
    wineserver -w 2>/dev/null || true
    exit $rc
fi

echo "with-display: no display available, running under Xvfb" >&2
for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { num=$n; break; }
done
Xvfb ":$num" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$num" ] && break; sleep 0.1; done
export DISPLAY=":$num"
"$@"; rc=$?
wineserver -w 2>/dev/null || true
kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null
exit $rc
