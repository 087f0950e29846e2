#!/usr/bin/env bash
# Fuzzing with clang's libFuzzer, AddressSanitizer and UBSan, in build/fuzz.
#   bash scripts/fuzz.sh smoke
#       every target for a few seconds, from its seeds (run by scripts/test.sh)
#   bash scripts/fuzz.sh campaign [RUNS] [TARGET...]
#       the long run: RUNS executions per target (default 10000000), one target
#       after another at the lowest priority. Each target keeps its corpus in
#       build/fuzz/corpus/<target> (so a second campaign goes on from the first),
#       its log in build/fuzz/logs/<target>.log and any crash in build/fuzz/crashes/.
#       PEMZ_FUZZ_SECONDS=N stops each target after N seconds instead.
#       PEMZ_FUZZ_MAX_LEN=N caps every target's input length at N bytes: shorter
#       inputs run many times faster, for a campaign that reaches its RUNS sooner.
#       Each target's figures are added to build/fuzz/campaign.txt, with the
#       time it ended, so the file keeps every campaign run in this tree.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/fuzz"
mode=${1:-smoke}

cmake -S "$root" -B "$build" -DPEMZ_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j "$(nproc)"

case "$mode" in
smoke)
    cd "$build"
    ctest --output-on-failure -j "$(nproc)"
    ;;
campaign)
    runs=${2:-10000000}
    shift $(( $# < 2 ? $# : 2 ))
    mkdir -p "$build/logs" "$build/crashes"
    summary="$build/campaign.txt"
    row='%-22s %12s %9s %8s %8s %7s %-6s %s\n'
    [ -s "$summary" ] || printf "$row" target executions seconds cov ft max_len result ended >"$summary"
    failed=0
    # Read the list first: a configure run meanwhile rewrites it.
    targets=$(cat "$build/fuzz-targets.txt")
    while read -r target max_len; do
        if [ $# -gt 0 ] && ! printf '%s\n' "$@" | grep -qx "$target"; then continue; fi
        mkdir -p "$build/corpus/$target"
        log="$build/logs/$target.log"
        limit=()
        [ -n "${PEMZ_FUZZ_SECONDS:-}" ] && limit=(-max_total_time="$PEMZ_FUZZ_SECONDS")
        [ -n "${PEMZ_FUZZ_MAX_LEN:-}" ] && [ "$PEMZ_FUZZ_MAX_LEN" -lt "$max_len" ] && max_len=$PEMZ_FUZZ_MAX_LEN
        start=$(date +%s)
        result=clean
        nice -n 19 "$build/tests/fuzz/$target" -runs="$runs" "${limit[@]}" -max_len="$max_len" -timeout=10 \
            -print_final_stats=1 -artifact_prefix="$build/crashes/$target-" \
            "$build/corpus/$target" "$root/tests/fuzz/corpus/$target" >"$log" 2>&1 || { result=CRASH; failed=1; }
        seconds=$(( $(date +%s) - start ))
        executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
        last=$(grep -E '^#[0-9]+' "$log" | tail -1)
        cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$last")
        ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$last")
        printf "$row" "$target" "${executions:-?}" "$seconds" "${cov:-?}" "${ft:-?}" "$max_len" "$result" "$(date '+%F %T')" |
            tee -a "$summary"
    done <<<"$targets"
    exit "$failed"
    ;;
*)
    echo "usage: $0 smoke | campaign [RUNS] [TARGET...]" >&2
    exit 2
    ;;
esac
