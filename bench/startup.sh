#!/usr/bin/env bash
# Start-up time: from process start to the tray icon being present under Xvfb and icewm, for the
# program and for the smallest Qt 6 program with a tray icon, alternately in the same X session.
# tray_start watches the X server for the icon instead of polling for it: a polling script costs
# the machine's CPU while the program starts and sees the icon only at its next look, which
# used to add 15 to 30 ms of noise to both.
# Usage: startup.sh <tarvik> <minimal_tray> <tray_start> <data folder> [runs]. Prints the two
# medians in ms; with STARTUP_ALL set, every run on stderr.
set -u
TARVIK=$(readlink -f "$1")
MINIMAL=$(readlink -f "$2")
WATCH=$(readlink -f "$3")
source "$(dirname "$(readlink -f "$0")")/../tests/desktop/lib.sh" "$TARVIK" "$4"
RUNS=${5:-9}

desktop_start
program_folder
# The runtime folder of a desktop session is in memory (/run/user/N); the single-instance lock
# there is flushed to disk at every start otherwise, which made the start wait for the disk.
RUN=$(mktemp -d /dev/shm/tarvik-run.XXXXXX 2>/dev/null || echo "$WORK/run")
mkdir -p "$RUN" && chmod 700 "$RUN"
trap 'rm -rf "$RUN"; cleanup' EXIT

# Starts a program, waits for its tray icon, prints the time taken, then ends the program.
time_to_tray() {
    XDG_RUNTIME_DIR="$RUN" "$WATCH" "$@" 2>/dev/null || echo timeout
    sleep 0.3 # let the tray drop the icon before the next start
}

ours=()
theirs=()
for _ in $(seq "$RUNS"); do
    theirs+=("$(time_to_tray minimal_tray "$MINIMAL")")
    ours+=("$(time_to_tray tarvik "$PROG/tarvik")")
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR + 1) / 2)]}'; }
[ -n "${STARTUP_ALL:-}" ] && echo "tarvik: ${ours[*]}; minimal: ${theirs[*]}" >&2
echo "$(median "${ours[@]}") $(median "${theirs[@]}")"
