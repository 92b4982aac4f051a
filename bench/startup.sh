#!/usr/bin/env bash
# Start-up time to the Port window, process start included, averaged over runs.
# Usage: bench/startup.sh [BUILD_DIR] [RUNS]   (needs a display, or runs on xvfb-run)
set -euo pipefail
build=${1:-build}
runs=${2:-10}
bin="$build/bench/bench_startup"
run() {
    for _ in $(seq "$runs"); do
        start=$(date +%s%N)
        "$bin" >/dev/null
        end=$(date +%s%N)
        echo $(( (end - start) / 1000000 ))
    done | sort -n | awk '{a[NR]=$1; s+=$1} END {printf "start-up to Port window: mean %.0f ms, median %d ms, min %d, max %d over %d runs\n", s/NR, a[int((NR+1)/2)], a[1], a[NR], NR}'
}
if [ -z "${DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ] && command -v xvfb-run >/dev/null; then
    exec xvfb-run -a "$0" "$build" "$runs"
fi
run
