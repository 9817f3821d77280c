#!/usr/bin/env bash
# Footprint of the running program: CPU time and memory after 1 minute and after the full run,
# once with the monitor window shown and once hidden (two instances side by side, each in its own
# program folder and X server). Usage: footprint.sh <tarvik executable> <data folder> [seconds]
set -u
EXE=$(readlink -f "$1")
DATA=$(readlink -f "$2")
DURATION=${3:-600}
LIB="$(dirname "$(readlink -f "$0")")/../tests/desktop/lib.sh"

# One measured instance in a subshell of its own (lib.sh owns X server, folder and cleanup).
measure() {
    local mode=$1 out=$2
    (
        source "$LIB" "$EXE" "$DATA"
        desktop_start
        program_folder
        if [ "$mode" = hidden ]; then
            sed -i 's/^\([^,]*,[^,]*,[^,]*,[^,]*,[^,]*,[^,]*,[^,]*,[^,]*,[^,]*,\)False/\1True/' "$PROG/set.dxl"
        fi
        program_start "$mode"
        local hz pid=$PROGRAM_PID
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
wait

printf '%-7s %14s %14s %12s %12s %12s %12s\n' monitor "cpu% 1st min" "cpu% overall" "RSS 1min" "anon 1min" "RSS end" "anon end"
for mode in shown hidden; do
    read -r _ hz c0 c1 c2 r1 a1 r2 a2 dur <"$tmp/$mode"
    awk -v m="$mode" -v hz="$hz" -v c0="$c0" -v c1="$c1" -v c2="$c2" -v r1="$r1" -v a1="$a1" -v r2="$r2" \
        -v a2="$a2" -v d="$dur" 'BEGIN {
        printf "%-7s %13.3f%% %13.3f%% %9.1f MB %9.1f MB %9.1f MB %9.1f MB\n", m,
            (c1 - c0) / hz / 55 * 100, (c2 - c0) / hz / (d - 5) * 100, r1 / 1024, a1 / 1024, r2 / 1024, a2 / 1024 }'
done
rm -rf "$tmp"
