#!/usr/bin/env bash
# CPU use of `meterpanel --demo` (program and in-process simulated meter) over a stretch of
# polling, on a real X server: starts it under Xvfb, takes COM1 in the Port window with Enter,
# then reads the process's CPU time from /proc. Needs xvfb-run and xdotool.
# Usage: bench/cpu_demo.sh [BUILD_DIR] [SECONDS]   (default build, 60)
set -euo pipefail
build=${1:-build}
seconds=${2:-60}
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build" "$seconds"
fi
"$build/src/app/meterpanel" --demo 2>/dev/null &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
sleep 2
until xdotool search --name "Panel V7.0" >/dev/null 2>&1; do
    window=$(xdotool search --onlyvisible --name "Commport Selection" 2>/dev/null | head -n 1 || true)
    if [ -n "$window" ]; then
        xdotool windowfocus --sync "$window" key --window "$window" Return 2>/dev/null || true
    fi
    sleep 0.5
done
sleep 3
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
# CPU of the simulated meter's thread, to tell it from the program's own.
simticks() {
    for task in /proc/$pid/task/*; do
        if [ "$(cat "$task/comm")" = meter-sim ]; then awk '{print $14 + $15}' "$task/stat"; return; fi
    done
    echo 0
}
hz=$(getconf CLK_TCK)
before=$(ticks)
simbefore=$(simticks)
start=$(date +%s.%N)
sleep "$seconds"
after=$(ticks)
simafter=$(simticks)
end=$(date +%s.%N)
awk -v t=$((after - before)) -v m=$((simafter - simbefore)) -v hz="$hz" -v s="$start" -v e="$end" \
    'BEGIN {cpu = t / hz; sim = m / hz; wall = e - s;
            printf "meterpanel --demo: %.2f s CPU in %.1f s of polling = %.2f %% of one core\n", cpu, wall, 100 * cpu / wall;
            printf "  of which the simulated meter thread: %.2f s; the program itself: %.2f %%\n", sim, 100 * (cpu - sim) / wall}'
