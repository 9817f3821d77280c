#!/usr/bin/env bash
# A big log: the real program under Xvfb and icewm with the log given, its anonymous memory after
# start and with the log page shown, and the CPU time of showing the log page, of page changes to
# other pages and of going back to the (unchanged) log page.
# Usage: biglog.sh <tarvik executable> <data folder> <log file> [shot.png]
# Prints: log-MB anon-start-MB anon-log-page-MB log-page-ms page-change-ms (median of four) back-ms
set -u
LIB="$(dirname "$(readlink -f "$0")")/../tests/desktop/lib.sh"
LOG=$(readlink -f "$3")
SHOT=${4:-}
source "$LIB" "$1" "$2"
desktop_start
program_folder
cp "$LOG" "$PROG/Tarvik.log"
program_start
pid=$PROGRAM_PID
cpu() { cat /proc/$pid/task/*/schedstat | awk '{s += $1} END {print s}'; }
anon() { awk '/^Anonymous:/ {printf "%.1f", $2 / 1024}' "/proc/$pid/smaps_rollup"; }
# CPU milliseconds of one click until the program is idle again, less what idling costs meanwhile.
click_cost() {
    local c0 c1
    c0=$(cpu)
    xdotool mousemove "$1" "$2" click 1
    sleep 1.5
    c1=$(cpu)
    awk -v a="$c0" -v b="$c1" -v idle="$idle" 'BEGIN {printf "%.1f", (b - a) / 1e6 - idle}'
}
sleep 3
start=$(anon)
c0=$(cpu)
sleep 1.5
idle=$(awk -v a="$c0" -v b="$(cpu)" 'BEGIN {print (b - a) / 1e6}')
monitor_menu Down Down Down Down Return # 主窗口: the memory page
wait_for 'MAIN=$(main_window) && is_viewable "$MAIN"' || fail "主窗口 did not show the main window"
sleep 1
read -r x y < <(top_left_of "$MAIN")
# The page buttons' icons, 64 pixels apart: page 0 at 40,29 inside the window.
button() { echo $((x + 40)) $((y + 29 + 64 * $1)); }
changes=()
for page in 1 2 3 0; do
    changes+=("$(click_cost $(button "$page"))")
done
logpage=$(click_cost $(button 4))
shown=$(anon)
[ -n "$SHOT" ] && import -window root "$SHOT"
click_cost $(button 1) >/dev/null
back=$(click_cost $(button 4))
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR + 1) / 2)]}'; }
size=$(stat -c %s "$LOG")
echo "$(awk -v s="$size" 'BEGIN {printf "%.1f", s / 1048576}') $start $shown $logpage $(median "${changes[@]}") $back"
