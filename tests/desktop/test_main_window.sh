#!/usr/bin/env bash
# The real program under Xvfb and icewm: "主窗口" opens the main window centred at its fixed size
# with the memory chart drawn, "关闭" in the scrolled page strip hides it, "查看日志" brings it back,
# and after the close box a new window is built for the next command.
source "$(dirname "$0")/lib.sh"

desktop_start
program_folder
program_start
SHOT_ON_FAIL="$WORK/failure.png"

monitor_menu Down Down Down Down Return # 主窗口
wait_for 'MAIN=$(main_window) && is_viewable "$MAIN"' || fail "主窗口 did not show the main window"
read -r x y < <(top_left_of "$MAIN")
[ $((x + 231 - 512)) -ge -20 ] && [ $((x + 231 - 512)) -le 20 ] || fail "the main window is not centred (left $x)"

# The memory chart: grid lines in their blue, the user's minimum in red.
sleep 1
import -window "$MAIN" "$WORK/main.png"
colours=$(convert "$WORK/main.png" -crop 272x73+40+48 +repage -format %c histogram:info:-)
echo "$colours" | grep -q '(28,121,198)' || fail "no chart grid in the memory page"
echo "$colours" | grep -q '(255,0,0)' || fail "no minimum line in the memory page"

# Scroll the page strip down and press "关闭" (the strip is 73 pixels higher then).
xdotool mousemove $((x + 82)) $((y + 316)) click 1
sleep 0.3
xdotool mousemove $((x + 42)) $((y + 278)) click 1
wait_for '! is_viewable "$MAIN"' || fail "关闭 did not hide the main window"

monitor_menu Down Down Down Right Down Return # 操作 > 查看日志
wait_for 'is_viewable "$MAIN"' || fail "查看日志 did not show the main window again"

# The close box destroys the window; the next command builds a new one.
xdotool windowactivate --sync "$MAIN" key alt+F4
wait_for '! xwininfo -id "$MAIN" >/dev/null 2>&1' || fail "the close box did not destroy the main window"
monitor_menu Down Down Down Down Return
wait_for 'NEW=$(main_window) && is_viewable "$NEW"' || fail "主窗口 did not build the main window again"
[ "$NEW" != "$MAIN" ] || fail "the closed main window came back instead of a new one"
kill -0 "$PROGRAM_PID" || fail "the program ended with its main window"
echo "PASS: main window shown, hidden, closed and rebuilt"
