#!/usr/bin/env bash
# Installs, from Debian's packages, everything the builds and tests need.
# Quick when all is present: it only asks apt when something is missing.
set -euo pipefail

need_i386=0
dpkg --print-foreign-architectures | grep -qx i386 || need_i386=1

packages=(cmake g++ make googletest
          clang libclang-rt-14-dev clang-format
          g++-mingw-w64-i686 gcc-mingw-w64-i686 binutils-mingw-w64-i686 mingw-w64-tools
          g++-mingw-w64-x86-64 gcc-mingw-w64-x86-64 binutils-mingw-w64-x86-64
          wine wine32:i386 wine64 fonts-wine xvfb xauth x11-apps imagemagick
          nsis zip unzip libbenchmark-dev fp-utils-3.2.2 chromium)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ "$need_i386" = 1 ] || [ "${#missing[@]}" -gt 0 ]; then
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    echo "setup: installing ${missing[*]:-i386 architecture}"
    [ "$need_i386" = 1 ] && $sudo_cmd dpkg --add-architecture i386
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}" >/dev/null
fi
