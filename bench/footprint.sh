#!/usr/bin/env bash
# Footprint of the running program: CPU time and memory after 1 minute and after the full run,
# once with the monitor window shown and once hidden (two instances side by side, each in its own
# program folder and X server), and beside them the floor: a Qt program with nothing but a small
# window, a tray icon and timers at 1 s and 500 ms, which every wake-up of this kind costs.
# Usage: footprint.sh <tarvik executable> <data folder> [seconds] [idle_timers executable]
set -u
EXE=$(readlink -f "$1")
DATA=$(readlink -f "$2")
DURATION=${3:-600}
FLOOR=${4:+$(readlink -f "$4")}
LIB="$(dirname "$(readlink -f "$0")")/../tests/desktop/lib.sh"

# One measured instance in a subshell of its own (lib.sh owns X server, folder and cleanup).
measure() {
    local mode=$1 out=$2
    (
        source "$LIB" "$EXE" "$DATA"
        desktop_start
        local pid
        if [ "$mode" = floor ]; then
            "$FLOOR" >/dev/null 2>&1 &
            pid=$!
            PIDS+=($pid)
            wait_for 'tray_icon idle_timers >/dev/null' || fail "the floor program showed no tray icon"
        else
            program_folder
            if [ "$mode" = hidden ]; then
                sed -i 's/^\([^,]*,[^,]*,[^,]*,[^,]*,[^,]*,[^,]*,[^,]*,[^,]*,[^,]*,\)False/\1True/' "$PROG/set.dxl"
            fi
            program_start "$mode"
            pid=$PROGRAM_PID
        fi
        local hz
        hz=1000000000 # schedstat counts nanoseconds of CPU time per thread (/proc/PID/stat only 10 ms ticks)
        cpu() { cat /proc/$pid/task/*/schedstat | awk '{s += $1} END {print s}'; }
        mem() { awk '/^Rss:/ {r=$2} /^Anonymous:/ {a=$2} END {print r, a}' "/proc/$pid/smaps_rollup"; }
        sleep 5 # start-up is not part of the steady state
        local c0 c1 c2 m1 m2
        c0=$(cpu)
        sleep 55
        c1=$(cpu)
        m1=$(mem)
        sleep $((DURATION - 60))
        c2=$(cpu)
        m2=$(mem)
        echo "$mode $hz $c0 $c1 $c2 $m1 $m2 $DURATION" >"$out"
    )
}

tmp=$(mktemp -d)
measure shown "$tmp/shown" &
(sleep 4; measure hidden "$tmp/hidden") &
[ -n "$FLOOR" ] && (sleep 8; measure floor "$tmp/floor") &
wait

# One row per instance: CPU % of a core in the first minute and over the run, then RSS and
# anonymous memory in MB after one minute and at the end.
printf '%-7s %12s %12s %10s %10s %10s %10s\n' instance cpu%-1min cpu%-run rss-1min anon-1min rss-end anon-end
for mode in shown hidden ${FLOOR:+floor}; do
    read -r _ hz c0 c1 c2 r1 a1 r2 a2 dur <"$tmp/$mode"
    awk -v m="$mode" -v hz="$hz" -v c0="$c0" -v c1="$c1" -v c2="$c2" -v r1="$r1" -v a1="$a1" -v r2="$r2" \
        -v a2="$a2" -v d="$dur" 'BEGIN {
        printf "%-7s %12.3f %12.3f %10.1f %10.1f %10.1f %10.1f\n", m,
            (c1 - c0) / hz / 55 * 100, (c2 - c0) / hz / (d - 5) * 100, r1 / 1024, a1 / 1024, r2 / 1024, a2 / 1024 }'
done
rm -rf "$tmp"
