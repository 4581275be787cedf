#!/bin/sh
# Measures the time from starting build/orbika (in its build directory, with the bundled TLE
# files) until its main window is mapped on an X display. Needs a running X server (e.g. Xvfb)
# in DISPLAY and xdotool. Usage: sh tools/startup_time.sh [BUILD_DIR] [RUNS]
set -e
build=${1:-build}
runs=${2:-5}
cd "$build"
i=0
while [ "$i" -lt "$runs" ]; do
    start=$(date +%s%N)
    ./orbika >/dev/null 2>&1 &
    pid=$!
    # Poll every few milliseconds (xdotool's own --sync waits half a second between tries).
    until xdotool search --onlyvisible --pid "$pid" --name "Orbika - 11.8" >/dev/null 2>&1; do
        kill -0 "$pid" 2>/dev/null || { echo "orbika ended before showing its window"; exit 1; }
        sleep 0.005
    done
    end=$(date +%s%N)
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo "run $((i + 1)): $(( (end - start) / 1000000 )) ms"
    i=$((i + 1))
done
