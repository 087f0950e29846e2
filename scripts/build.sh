#!/usr/bin/env bash
# Configures and builds the three trees: build/native (portable code and its
# tests, with sanitizers), build/win32 (the shipped 32-bit Windows program, its
# release files and tests) and build/win64 (the same sources as a 64-bit Windows
# program, to run the Windows tests where 32-bit code cannot run).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)

cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$root/build/native" -j "$jobs"

for arch in win32:i686 win64:x86_64; do
    cmake -S "$root" -B "$root/build/${arch%%:*}" -DCMAKE_BUILD_TYPE=Release \
          -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-${arch#*:}.cmake" >/dev/null
    cmake --build "$root/build/${arch%%:*}" -j "$jobs"
done
