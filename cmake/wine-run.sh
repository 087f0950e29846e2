#!/usr/bin/env bash
# Emulator for the Windows builds: runs a program under Wine in the build tree's
# private prefix, creating and configuring that prefix once (concurrent callers
# wait for it). WINEARCH=win64 runs it with Wine's 64-bit loader in a 64-bit
# prefix, which works where the host runs no 32-bit code; otherwise `wine` runs
# it as before. Fails with a message when Wine cannot start or the prefix cannot
# be made: a program that could not start must never look like one that failed.
set -euo pipefail
: "${WINEPREFIX:=$(cd "$(dirname "$0")/.." && pwd)/build/win32/wineprefix}"
# PEMZ_WINEDEBUG: Wine's channels for a test that reads Wine's own trace.
export WINEPREFIX WINEDEBUG="${PEMZ_WINEDEBUG:--all}" WINEDLLOVERRIDES="mscoree,mshtml="

fail() {
    echo "wine-run: $*" >&2
    exit 1
}

if [ "${WINEARCH:-}" = win64 ]; then
    # `wine` and `wineboot` try the 32-bit loader first, which cannot run on a
    # 64-bit-only host: everything goes through the 64-bit one.
    loader=/usr/lib/wine/wine64
    export WINELOADER=$loader
    arch="64-bit (wine64, 64-bit prefix)"
else
    loader=wine
    arch="32-bit (wine${WINEARCH:+, $WINEARCH prefix})"
fi
wine_() { "$loader" "$@"; }

version=$(wine_ --version 2>&1) || fail "Wine cannot start with $loader: ${version:-no output}"
echo "wine-run: $(basename "${1:-?}") as a $arch Windows program, $version" >&2

# Bump when the configuration below changes, so existing prefixes pick it up.
config_mark="$WINEPREFIX/.pemz-config-3"

if [ ! -e "$config_mark" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    exec 9>"$WINEPREFIX.lock"
    flock 9
    if [ ! -e "$config_mark" ]; then
        if [ ! -e "$WINEPREFIX/system.reg" ]; then
            log=$(wine_ wineboot -i 2>&1) && [ -e "$WINEPREFIX/system.reg" ] ||
                fail "cannot make the Wine prefix $WINEPREFIX with $loader: $(tail -3 <<<"$log")"
        fi
        reg() { wine_ reg add "$@" /f >/dev/null 2>&1 || fail "cannot configure $WINEPREFIX: reg add $1 /v $3"; }
        # Without a window manager Wine waits ~2 s for every closed top-level
        # window unless its X11 driver leaves window management alone.
        reg 'HKCU\Software\Wine\X11 Driver' /v Managed /d N
        # The classic Windows 3D colours: the key faces are painted in them, and
        # Wine's own defaults (a lighter grey) would frame every key.
        for colour in 'ButtonFace=192 192 192' 'ButtonLight=192 192 192' \
                      'ButtonShadow=128 128 128' 'ButtonHilight=255 255 255' \
                      'ButtonDkShadow=0 0 0' 'GrayText=128 128 128' \
                      'Menu=192 192 192' 'MenuBar=192 192 192' 'Scrollbar=192 192 192'; do
            reg 'HKCU\Control Panel\Colors' /v "${colour%%=*}" /d "${colour#*=}"
        done
        # The caption buttons are glyphs of the Marlett font, which wineboot does
        # not put in the prefix: without it Wine draws them as the letters "0 1 r".
        marlett=/usr/share/wine/fonts/marlett.ttf
        if [ -e "$marlett" ]; then
            cp "$marlett" "$WINEPREFIX/drive_c/windows/Fonts/"
            reg 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' /v 'Marlett (TrueType)' /d marlett.ttf
        else
            echo "wine-run: $marlett missing (Debian's fonts-wine): caption buttons show letters" >&2
        fi
        wineserver -w
        touch "$config_mark"
    fi
    flock -u 9
fi
exec "$loader" "$@"
