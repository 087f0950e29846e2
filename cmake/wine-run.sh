#!/usr/bin/env bash
# Emulator for the Windows build: runs a program under Wine in the build tree's
# private prefix, creating and configuring that prefix once (concurrent callers
# wait for it).
set -euo pipefail
: "${WINEPREFIX:=$(cd "$(dirname "$0")/.." && pwd)/build/win32/wineprefix}"
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# Bump when the configuration below changes, so existing prefixes pick it up.
config_mark="$WINEPREFIX/.pemz-config-3"

if [ ! -e "$config_mark" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    exec 9>"$WINEPREFIX.lock"
    flock 9
    if [ ! -e "$config_mark" ]; then
        [ -e "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1 || true
        # Without a window manager Wine waits ~2 s for every closed top-level
        # window unless its X11 driver leaves window management alone.
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
        # The classic Windows 3D colours: the key faces are painted in them, and
        # Wine's own defaults (a lighter grey) would frame every key.
        for colour in 'ButtonFace=192 192 192' 'ButtonLight=192 192 192' \
                      'ButtonShadow=128 128 128' 'ButtonHilight=255 255 255' \
                      'ButtonDkShadow=0 0 0' 'GrayText=128 128 128' \
                      'Menu=192 192 192' 'MenuBar=192 192 192' 'Scrollbar=192 192 192'; do
            wine reg add 'HKCU\Control Panel\Colors' /v "${colour%%=*}" /d "${colour#*=}" /f >/dev/null 2>&1
        done
        # The caption buttons are glyphs of the Marlett font, which wineboot does
        # not put in the prefix: without it Wine draws them as the letters "0 1 r".
        marlett=/usr/share/wine/fonts/marlett.ttf
        if [ -e "$marlett" ]; then
            cp "$marlett" "$WINEPREFIX/drive_c/windows/Fonts/"
            wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' \
                 /v 'Marlett (TrueType)' /d marlett.ttf /f >/dev/null 2>&1
        else
            echo "wine-run: $marlett missing (Debian's fonts-wine): caption buttons show letters" >&2
        fi
        wineserver -w
        touch "$config_mark"
    fi
    flock -u 9
fi
exec wine "$@"
