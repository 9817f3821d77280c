#!/usr/bin/env bash
# The real program under Xvfb and icewm: "设置..." opens the user settings page, where "自定义..."
# opens the release options; the minimum slider moves with the keyboard and "保存设置" stores it.
# On "软件设置" the chart style "峰值图" is saved: the monitor window takes the peak chart's size at
# once, and info.dxl and set.dxl hold the same new line. The start at log-on comes and goes.
# With TARVIK_SHOTS set to a folder, the three settings pages are photographed into it.
source "$(dirname "$0")/lib.sh"

desktop_start
program_folder
program_start

page_shot() {
    [ -n "${TARVIK_SHOTS:-}" ] || return 0
    mkdir -p "$TARVIK_SHOTS"
    import -window "$MAIN" "$TARVIK_SHOTS/$1.png"
}

monitor_menu Down Down Down Down Down Return # 设置...
wait_for 'MAIN=$(main_window) && is_viewable "$MAIN"' || fail "设置... did not show the main window"
read -r MX MY < <(top_left_of "$MAIN")
sleep 1 # the window refreshes its pages within half a second
page_shot user-settings-preset

# "自定义..." in the usage-type list: the release options open with the stored values.
click_at 316 39
xdotool key Down Down Down Return
sleep 0.5
page_shot user-settings-custom

# The minimum: a click on its left arrow gives it the focus (25 → 24), six steps to the right.
click_at 133 150
xdotool key Right Right Right Right Right Right
sleep 0.3
click_at 400 276 # 保存设置
printf '%s\r\n' '3,True,30,False,Alarm.wav,False,720,False,False,False,True,False,10,0' >"$WORK/expected"
wait_for 'cmp -s "$PROG/info.dxl" "$WORK/expected"' ||
    fail "the user settings save did not write the minimum of 30: $(cat -A "$PROG/info.dxl")"
cmp -s "$PROG/info.dxl" "$PROG/set.dxl" || fail "set.dxl differs from info.dxl after the user settings save"
[ "$(cat "$PROG/AqSet.dxl")" = $'2,3\r' ] || fail "the usage type was not stored: $(cat -A "$PROG/AqSet.dxl")"

# "软件设置": the chart style "峰值图", saved.
click_at 40 157
page_shot software-settings
click_at 284 250
xdotool key Down Down Return
sleep 0.3
click_at 400 276
printf '%s\r\n' '3,True,30,False,Alarm.wav,False,720,False,False,False,True,False,10,2' >"$WORK/expected"
wait_for 'cmp -s "$PROG/info.dxl" "$WORK/expected"' ||
    fail "the software settings save did not write the peak chart: $(cat -A "$PROG/info.dxl")"
cmp -s "$PROG/info.dxl" "$PROG/set.dxl" || fail "set.dxl differs from info.dxl after the software settings save"
size=$(xwininfo -id "$MONITOR" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
[ "$size" = 72x24 ] || fail "the monitor window is $size, not the peak chart's 72x24"
grep -q '保存软件设置。' <(iconv -f CP936 -t UTF-8 "$PROG/Tarvik.log") || fail "the save was not logged"

# "开机时自动运行本程序": the log-on entry starts this very executable; cleared, it is gone again.
entry="$WORK/config/autostart/Tarvik.desktop"
click_at 150 176
click_at 400 276
wait_for '[ -f "$entry" ]' || fail "ticking 开机时自动运行本程序 wrote no autostart entry"
exec_line=$(grep '^Exec=' "$entry")
[ "$exec_line" = "Exec=$PROG/tarvik" ] || fail "the autostart entry does not start the program: $exec_line"
click_at 150 176
click_at 400 276
wait_for '[ ! -e "$entry" ]' || fail "clearing 开机时自动运行本程序 left the autostart entry"

click_at 40 221 # 用户级别
page_shot user-level
echo "PASS: minimum and chart style saved through the main window; monitor resized; both files alike"
