#!/usr/bin/env bash
# The real program under Xvfb and icewm: a monitor window the user left on the task bar starts
# there again (the task bar is screen, if not work area); a place that leaves only a sliver of the
# window on the screen brings it wholly onto the screen; a place on no screen, or a number that can
# be no pixel position, brings the window back onto the screen.
source "$(dirname "$0")/lib.sh"

desktop_start
program_folder

# icewm's task bar covers the bottom rows of the 1024 × 768 screen: y 756 is on it.
printf '%s\r\n' '11340,12000,240' >"$PROG/wtl.dxl"
program_start
read -r x y < <(top_left_of "$MONITOR")
[ "$x $y" = "800 756" ] || fail "the window left on the task bar started at $x,$y instead of 800,756"
kill "$PROGRAM_PID"
wait "$PROGRAM_PID" 2>/dev/null

# 2 of the bar's 120 pixels on the screen, at its right edge and at its left one.
for line in '4500,15330,240 904' '4500,-1770,240 0'; do
    printf '%s\r\n' "${line% *}" >"$PROG/wtl.dxl"
    program_start
    read -r x y < <(top_left_of "$MONITOR")
    [ "$x $y" = "${line#* } 300" ] || fail "wtl.dxl '${line% *}' left the window at $x,$y instead of ${line#* },300"
    kill "$PROGRAM_PID"
    wait "$PROGRAM_PID" 2>/dev/null
done

for line in '1e30,1e30,240' '300,-90000,240' '90000,300,240'; do
    printf '%s\r\n' "$line" >"$PROG/wtl.dxl"
    program_start
    read -r x y < <(top_left_of "$MONITOR")
    [ "$x" -ge 0 ] && [ "$x" -le 904 ] && [ "$y" -ge 0 ] && [ "$y" -le 752 ] ||
        fail "wtl.dxl '$line' left the window at $x,$y, off the screen"
    kill "$PROGRAM_PID"
    wait "$PROGRAM_PID" 2>/dev/null
done
echo "PASS: a place on the task bar kept, slivers and places on no screen brought back"
