#!/usr/bin/env bash
# The real program under Xvfb and icewm, as a hand uses the monitor window: a click leaves it
# where it is, a double-click on the bar shows the main window and the next one hides it, and
# a drag with the left button held moves it, the spot pressed staying under the pointer.
source "$(dirname "$0")/lib.sh"

desktop_start
program_folder
program_start

read -r mx my < <(top_left_of "$MONITOR")
bx=$((mx + 40)) by=$((my + 8)) # on the bar's panel

xdotool mousemove "$bx" "$by" click 1
sleep 0.6
[ "$(top_left_of "$MONITOR")" = "$mx $my" ] || fail "a click moved the monitor window from $mx $my"
main_window >/dev/null && is_viewable "$(main_window)" && fail "a single click showed the main window"

xdotool click --repeat 2 --delay 80 1
wait_for 'MAIN=$(main_window) && is_viewable "$MAIN"' || fail "a double-click on the bar did not show the main window"
[ "$(top_left_of "$MONITOR")" = "$mx $my" ] || fail "the double-click moved the monitor window"
sleep 0.6
xdotool mousemove "$bx" "$by" click --repeat 2 --delay 80 1
wait_for '! is_viewable "$MAIN"' || fail "a second double-click on the bar did not hide the main window"

drag_holds_on "$MONITOR" "$bx" "$by" -200 150 10
is_viewable "$MAIN" && fail "the drag showed the main window"
echo "PASS: click, double-clicks and drag on the monitor window (worst miss during the drag: $DRAG_WORST px)"
