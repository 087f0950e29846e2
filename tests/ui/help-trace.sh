#!/usr/bin/env bash
# help-trace.sh <test program> [arguments]: runs a Windows test program in the build
# tree's prefix with Wine's +htmlhelp trace written to a file whose path the test
# reads from PEMZ_HELP_TRACE: the addresses the HTML Help viewer goes to. The file,
# help-trace.log in the working directory, stays for whoever reads a failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
trace=$PWD/help-trace.log
export PEMZ_HELP_TRACE=$trace
PEMZ_WINEDEBUG=+htmlhelp bash "$root/cmake/wine-run.sh" "$@" 2>"$trace"
