#!/usr/bin/env bash
# Footprint of the running program: CPU time, wake-ups and memory after 1 minute and after the full
# run, once with the monitor window shown and once hidden (two instances side by side, each in its
# own program folder and X server), and beside them the floor, shown and hidden: a Qt program with
# nothing but a small window, a tray icon and timers at 1 s, 15 s and 500 ms, which every wake-up of
# this kind costs; and the sampling floor, shown and hidden: the same program also taking the memory
# sample at the program's rates, which the program must do. The X server of each instance is
# measured too: what the program makes it draw.
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
        local xpid=${PIDS[0]} pid
        case $mode in
        floor*)
            case $mode in *hidden) export IDLE_HIDDEN=1 ;; esac
            case $mode in floor-sampling*) export IDLE_SAMPLE=1 ;; esac
            "$FLOOR" >/dev/null 2>&1 &
            pid=$!
            PIDS+=($pid)
            wait_for 'tray_icon idle_timers >/dev/null' || fail "the floor program showed no tray icon"
            ;;
        *)
            program_folder
            if [ "$mode" = hidden ]; then
                sed -i 's/^\([^,]*,[^,]*,[^,]*,[^,]*,[^,]*,[^,]*,[^,]*,[^,]*,[^,]*,\)False/\1True/' "$PROG/set.dxl"
            fi
            program_start "$mode"
            pid=$PROGRAM_PID
            ;;
        esac
        # schedstat counts nanoseconds of CPU time per thread (/proc/PID/stat only 10 ms ticks); a
        # wake-up is a context switch of any thread, voluntary (it slept) or not.
        cpu() { cat /proc/"$1"/task/*/schedstat | awk '{s += $1} END {print s}'; }
        wakes() { cat /proc/"$1"/task/*/status | awk '/ctxt_switches/ {s += $2} END {print s}'; }
        mem() { awk '/^Rss:/ {r=$2} /^Anonymous:/ {a=$2} END {print r, a}' "/proc/$pid/smaps_rollup"; }
        sleep 5 # start-up is not part of the steady state
        local c0 w0 x0 c1 w1 x1 m1 c2 w2 x2 m2
        c0=$(cpu "$pid") w0=$(wakes "$pid") x0=$(cpu "$xpid")
        sleep 55
        c1=$(cpu "$pid") w1=$(wakes "$pid") x1=$(cpu "$xpid") m1=$(mem)
        sleep $((DURATION - 60))
        c2=$(cpu "$pid") w2=$(wakes "$pid") x2=$(cpu "$xpid") m2=$(mem)
        echo "$mode $c0 $c1 $c2 $w0 $w2 $x0 $x2 $m1 $m2 $DURATION" >"$out"
    )
}

tmp=$(mktemp -d)
modes="shown hidden ${FLOOR:+floor floor-hidden floor-sampling floor-sampling-hidden}"
delay=0
for mode in $modes; do
    (sleep $delay; measure "$mode" "$tmp/$mode") &
    delay=$((delay + 3))
done
wait

# One row per instance: CPU % of a core in the first minute and over the run, wake-ups per second
# over the run, the X server's CPU %, then RSS and anonymous memory in MB after one minute and at
# the end.
printf '%-22s %10s %10s %8s %8s %9s %9s %9s %9s\n' instance cpu%-1min cpu%-run wakes/s x-cpu% rss-1min anon-1min \
    rss-end anon-end
for mode in $modes; do
    read -r _ c0 c1 c2 w0 w2 x0 x2 r1 a1 r2 a2 dur <"$tmp/$mode"
    awk -v m="$mode" -v c0="$c0" -v c1="$c1" -v c2="$c2" -v w0="$w0" -v w2="$w2" -v x0="$x0" -v x2="$x2" \
        -v r1="$r1" -v a1="$a1" -v r2="$r2" -v a2="$a2" -v d="$dur" 'BEGIN {
        run = d - 5
        printf "%-22s %10.4f %10.4f %8.2f %8.4f %9.1f %9.1f %9.1f %9.1f\n", m, (c1 - c0) / 1e9 / 55 * 100,
            (c2 - c0) / 1e9 / run * 100, (w2 - w0) / run, (x2 - x0) / 1e9 / run * 100, r1 / 1024, a1 / 1024,
            r2 / 1024, a2 / 1024 }'
done
rm -rf "$tmp"
