#!/usr/bin/env bash
# Builds and runs every benchmark, then writes docs/performance.md from this run's
# figures: start-up against the baseline dialog (alternating), private bytes, a
# typed digit, a key's command in process, idle CPU, program size, and the engine
# natively (Google Benchmark). The Windows figures come from the shipped 32-bit
# program, or where the host runs no 32-bit code from the 64-bit build measured
# against a 64-bit baseline; the document says which.
#   PEMZ_BENCH_STARTS   start-ups of each program (default 21)
#   PEMZ_BENCH_REPEATS  repetitions of each engine benchmark (default 15)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
starts=${PEMZ_BENCH_STARTS:-21}
repeats=${PEMZ_BENCH_REPEATS:-15}

bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh"
# The engine as shipped: optimised, without the sanitizers of build/native.
cmake -S "$root" -B "$root/build/bench-native" -DCMAKE_BUILD_TYPE=Release -DPEMZ_SANITIZE=OFF >/dev/null
cmake --build "$root/build/bench-native" --target pemz_bench_engine -j "$(nproc)"

out="$root/build/bench-results"
rm -rf "$out" && mkdir -p "$out"
load_before=$(cut -d' ' -f1-3 /proc/loadavg)

"$root/build/bench-native/bench/pemz_bench_engine" --benchmark_repetitions="$repeats" --benchmark_color=false | tee "$out/engine.txt"

source "$root/scripts/host-arch.sh"
# A prefix of the benchmarks' own, so that test runs leave no state behind for them.
if [ "$PEMZ_HOST_RUNS_32BIT" = 1 ]; then
    tree=win32 arch='32-bit (i686) build, `build/win32`, the shipped program'
    export WINEPREFIX="$root/build/wineprefix-bench"
else
    tree=win64 arch='64-bit (x86_64) build, `build/win64`, a test vehicle: the host runs no 32-bit code'
    export WINEPREFIX="$root/build/wineprefix-bench64" WINEARCH=win64
fi
echo "bench: $PEMZ_HOST_ARCH_NOTE; measuring build/$tree"
win="$root/build/$tree"
PEMZ_FORCE_XVFB=1 bash "$root/scripts/with-display.sh" bash -c '
    set -e
    run() { bash "$0/cmake/wine-run.sh" "$@"; }
    run "$1/bench/pemz_bench_startup.exe" start "$3" "$1/bench/pemz_bench_baseline.exe" "$1/PemzCalc.exe" | tee "$2/start.txt"
    run "$1/bench/pemz_bench_startup.exe" typing 200 "$1/PemzCalc.exe" | tee "$2/typing.txt"
    run "$1/bench/pemz_bench_key_command.exe" 5000 | tee "$2/key_command.txt"
    run "$1/bench/pemz_bench_startup.exe" idle 10 "$1/PemzCalc.exe" | tee "$2/idle.txt"
' "$root" "$win" "$out" "$starts"
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

# "name median min max count" lines (and a few "name value" ones), all files together.
figures=$(cat "$out"/*.txt | tr -d '\r' | sed 's/\x1b\[[0-9;]*m//g' | awk 'NF >= 2 && $2 ~ /^[0-9.e+-]+$/')
field() { awk -v n="$1" -v f="$2" '$1 == n { print $f }' <<<"$figures"; }
row() {  # label, figure name, unit, scale
    local scale=${4:-1}
    awk -v n="$2" -v l="$1" -v u="$3" -v s="$scale" \
        '$1 == n { printf "| %s | %.4g | %.4g | %.4g | %s | %d |\n", l, $2*s, $3*s, $4*s, u, $5 }' <<<"$figures"
}
ratio() { awk -v a="$(field "$1" 2)" -v b="$(field "$2" 2)" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }'; }

size=$(stat -c %s "$win/PemzCalc.exe")
objdump=$(sed -n 's/^CMAKE_OBJDUMP:FILEPATH=//p' "$win/CMakeCache.txt")
imports=$("$objdump" -p "$win/PemzCalc.exe" | awk '/DLL Name:/ { printf "%s%s", sep, $3; sep = ", " }')
# The hand-written part of the document (findings, changes) is kept from its last version.
marker='<!-- Hand-written below this line; scripts/bench.sh keeps it. -->'
notes=$(awk -v m="$marker" 'kept || $0 == m { kept = 1; print }' "$root/docs/performance.md" 2>/dev/null || true)
cpu=$(awk -F: '/model name/ { sub(/^ +/, "", $2); print $2; exit }' /proc/cpuinfo)

cat >"$root/docs/performance.md" <<EOF
# Performance

Figures written by \`bash scripts/bench.sh\` on $(date -u '+%Y-%m-%d %H:%M UTC'); every number below comes
from that run. Rerun the command to refresh them (\`PEMZ_BENCH_STARTS\` and \`PEMZ_BENCH_REPEATS\`
change the number of runs).

## Machine and load

- ${cpu:-unknown CPU}, $(nproc) cores, $(awk '/MemTotal/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo); $(/usr/lib/wine/wine64 --version 2>/dev/null || echo Wine) under Xvfb.
- Load average (1, 5, 15 min): ${load_before} before the run, ${load_after} after it.
- The machine is shared: the run may overlap builds and tests of other work on the same cores.
  Absolute times therefore wander between runs; the ratios come from runs taken in turn within
  one invocation, so that a change of load falls on both programs alike.

## Start-up, memory, typing and idle (Windows program under Wine)

Measured on the ${arch}.

Method: \`pemz_bench_startup\` creates the process, waits for input idle (\`WaitForInputIdle\`),
finds the shown main window and reads its francs line (a sent message, answered only once the
program's loop runs). Time is taken from before \`CreateProcess\` to that answer. The baseline,
\`pemz_bench_baseline\`, shows the same dialog template 102 with its menu and the same resources,
with no start-up work of ours (its keys are bare windows). The two programs are started in turn,
${starts} times each, the first of each pair alternating; one unmeasured start of each comes first.
Private bytes are read at the same moment: Wine answers 0 for another process's
\`PrivateUsage\`, so they are the private memory (\`Private_Clean\` + \`Private_Dirty\` of
\`/proc/<pid>/smaps_rollup\`) of the Linux process that runs the Windows one, Wine's own
share included, which is the same for both programs.

| figure | median | min | max | unit | runs |
|---|---|---|---|---|---|
$(row "start-up, baseline dialog" start_baseline_ms ms)
$(row "start-up, PemzCalc.exe" start_program_ms ms)
$(row "CPU time to get there, baseline dialog" start_cpu_baseline_ms ms)
$(row "CPU time to get there, PemzCalc.exe" start_cpu_program_ms ms)
$(row "private bytes, baseline dialog" private_baseline_bytes KiB 0.0009765625)
$(row "private bytes, PemzCalc.exe" private_program_bytes KiB 0.0009765625)
$(row "typed digit to francs line, beyond the 30 ms flash" typed_digit_beyond_flash_ms ms)
$(row "key command (WM_COMMAND) in process, both lines written" key_command_us µs)
$(row "  of which: one display line's SetWindowText" line_settext_us µs)
$(row "  of which: SetFocus to the focus holder" focus_holder_us µs)
$(row "GetTickCount step (the flash's 30 ms are counted in it)" tick_step_ms ms)

- Start-up ratio: **$(field start_pair_ratio 2)×** the baseline, the median of the ${starts} ratios of
  starts made back to back (min $(field start_pair_ratio 3), max $(field start_pair_ratio 4)); the ratio of the two
  medians above is $(ratio start_program_ms start_baseline_ms). Goal ≤ 1.15.
- CPU time to get there (the Linux threads' \`schedstat\` of the process that runs the Windows
  one, Wine's own work in it included; not the Wine server's or the X server's): the program's
  median is **$(ratio start_cpu_program_ms start_cpu_baseline_ms)×** the baseline's. Load on the
  machine stretches the wall time far more than it changes this.
- Private bytes ratio (medians): **$(ratio private_program_bytes private_baseline_bytes)×** the baseline (goal ≤ 1.1).
- Typed digit: a key is posted to the focused control (\`WM_KEYDOWN\`/\`WM_KEYUP\`, so the program's
  own \`TranslateMessage\` makes the \`WM_CHAR\`) and the francs line is read until it changes;
  30 ms, the key flash every typed key must show, is taken off. Goal: ≤ 1 ms at the median.
- Key command: \`pemz_bench_key_command\` runs the calculator dialog in its own process and times
  \`SendMessage(WM_COMMAND, digit)\` with \`QueryPerformanceCounter\`. Goal: ≤ 100 µs.
- Idle: CPU time (the Linux threads' \`schedstat\`, in ns) used by PemzCalc.exe over $(field idle_seconds 2) s with its window
  open and untouched: **$(field idle_cpu_ms 2) ms** (goal 0; the program has no timer and no polling),
  against $(field startup_cpu_ms 2) ms for its start-up.

## Size

\`build/$tree/PemzCalc.exe\` as built (Release, stripped, static): **${size} bytes ($(awk -v s="$size" 'BEGIN { printf "%.1f", s / 1024 }') KiB)**,
importing ${imports}. Goal ≤ 256 KiB for the shipped 32-bit program; the \`program_image\` test
holds \`build/win32\` to 256 KiB and both builds to that import list.

## Engine (native, Google Benchmark)

Method: \`pemz_bench_engine\` (optimised, no sanitizers) drives \`calc::Calculator\` with a fixed
random stream of 10^6 keypad commands (half digits, half the 16 other keys) into a display host
that reads the texts as a window would, and calls \`FormatDisplay\` on states sampled from that
stream. \`operator new\` is replaced to count heap allocations. ${repeats} repetitions.

| figure | median | min | max | unit | runs |
|---|---|---|---|---|---|
$(row "keys through the engine" KeyStreamThroughEngine.items_per_second "million keys/s" 0.000001)
$(row "heap allocations per key (entry and display)" KeyStreamThroughEngine.allocs_per_key "per key")
$(row "FormatDisplay" FormatDisplayPerCall.ns_per_call "ns per call" 1000000000)
$(row "heap allocations per FormatDisplay" FormatDisplayPerCall.allocs_per_call "per call")

${notes:-$marker}
EOF
echo "bench: wrote docs/performance.md"
