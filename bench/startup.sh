#!/usr/bin/env bash
# Start-up time: from process start to the tray icon being present under Xvfb and icewm, for the
# program and for the smallest Qt 6 program with a tray icon, alternately in the same X session.
# Usage: startup.sh <tarvik> <minimal_tray> <data folder> [runs]. Prints the two medians in ms.
set -u
TARVIK=$(readlink -f "$1")
MINIMAL=$(readlink -f "$2")
source "$(dirname "$(readlink -f "$0")")/../tests/desktop/lib.sh" "$TARVIK" "$3"
RUNS=${4:-9}

desktop_start
program_folder

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Starts a program, waits for its tray icon, returns the time taken, then ends the program.
time_to_tray() {
    local class=$1
    shift
    local t0 t1 pid
    t0=$(now_ms)
    XDG_RUNTIME_DIR="$WORK/run" "$@" >/dev/null 2>&1 &
    pid=$!
    until tray_icon "$class" >/dev/null; do
        sleep 0.005
        if [ $(($(now_ms) - t0)) -gt 20000 ]; then
            echo "timeout"
            kill "$pid"
            return
        fi
    done
    t1=$(now_ms)
    kill "$pid"
    wait "$pid" 2>/dev/null
    sleep 0.3 # let the tray drop the icon before the next start
    echo $((t1 - t0))
}

mkdir -p "$WORK/run" && chmod 700 "$WORK/run"
ours=()
theirs=()
for _ in $(seq "$RUNS"); do
    theirs+=("$(time_to_tray minimal_tray "$MINIMAL")")
    ours+=("$(time_to_tray tarvik "$PROG/tarvik")")
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR + 1) / 2)]}'; }
echo "$(median "${ours[@]}") $(median "${theirs[@]}")"
