#!/usr/bin/env bash
# Sourced by the scripts that run Windows programs: sets PEMZ_HOST_RUNS_32BIT to 1
# when this host runs 32-bit x86 code (Debian's 32-bit Wine loader starts), else 0,
# and PEMZ_HOST_ARCH_NOTE to one line saying what was found. Some hosts run 64-bit
# user code only: there every i386 program fails with "Exec format error", Wine's
# 32-bit loader included. PEMZ_HOST_RUNS_32BIT=0 set beforehand makes a host that
# can run 32-bit code take the 64-bit-only path.
if [ "${PEMZ_HOST_RUNS_32BIT:-}" = 0 ]; then
    PEMZ_HOST_ARCH_NOTE="host: told not to run 32-bit code (PEMZ_HOST_RUNS_32BIT=0)"
elif /usr/lib/wine/wine --version >/dev/null 2>&1; then
    PEMZ_HOST_RUNS_32BIT=1
    PEMZ_HOST_ARCH_NOTE="host: runs 32-bit code (/usr/lib/wine/wine --version works)"
else
    PEMZ_HOST_RUNS_32BIT=0
    PEMZ_HOST_ARCH_NOTE="host: runs 64-bit code only (/usr/lib/wine/wine --version fails)"
fi
export PEMZ_HOST_RUNS_32BIT
