#!/usr/bin/env bash
# The unpacked package ($1, its usr/bin/tarvik finding usr/share/tarvik beside it) run by an
# unprivileged user with an empty home under Xvfb and icewm: the program folder is
# ~/.local/share/tarvik, filled with the factory files at the first start; the log-on entry
# starts the executable itself; "退出" leaves wtl.dxl there; nothing is written under the
# unpacked root, although this user may write there; and a data folder that cannot be made ends
# the start with a message.
UNPACKED=$1
source "$(dirname "$0")/../desktop/lib.sh" "$UNPACKED/usr/bin/tarvik" "$UNPACKED/usr/share/tarvik"

USER_HOME="$WORK/home"
mkdir -p "$USER_HOME" "$WORK/config" "$WORK/run"
if [ "$(id -u)" -eq 0 ]; then
    command -v setpriv >/dev/null || skip "setpriv is not installed"
    chown -R nobody:nogroup "$UNPACKED" "$USER_HOME" "$WORK/config" "$WORK/run"
    chmod 755 "$WORK"
    RUN_AS=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
RUN_AS+=(env -u XDG_DATA_HOME HOME="$USER_HOME")
PROGRAM="$EXE"
OWN="$USER_HOME/.local/share/tarvik"
tree() { find "$UNPACKED" -printf '%P %s %T@ %m %u\n' | sort; }
tree >"$WORK/tree-before"

desktop_start
program_start
[ "$(ls "$OWN" | sort | tr '\n' ' ')" = "AqSet.dxl Tarvik.log afn.dxl info.dxl set.dxl wtl.dxl " ] ||
    fail "the user's program folder holds: $(ls "$OWN" | tr '\n' ' ')"
for f in AqSet.dxl Tarvik.log afn.dxl info.dxl set.dxl wtl.dxl; do
    cmp -s "$OWN/$f" "$DATA/$f" || fail "$f differs from the factory file"
done

# "设置..." → "软件设置": ticking "开机时自动运行本程序" and saving registers this executable.
monitor_menu Down Down Down Down Down Return
wait_for 'MAIN=$(main_window) && is_viewable "$MAIN"' || fail "设置... did not show the main window"
read -r MX MY < <(top_left_of "$MAIN")
sleep 1
click_at 40 157
click_at 150 176
click_at 400 276
entry="$WORK/config/autostart/Tarvik.desktop"
wait_for '[ -f "$entry" ]' || fail "the software settings save wrote no autostart entry"
[ "$(grep '^Exec=' "$entry")" = "Exec=$EXE" ] || fail "the autostart entry reads $(grep '^Exec=' "$entry")"
grep -q '保存软件设置。' <(iconv -f CP936 -t UTF-8 "$OWN/Tarvik.log") || fail "the save was not logged in the user's folder"

monitor_menu Up Return # 退出
wait_for '! kill -0 $PROGRAM_PID 2>/dev/null' || fail "the program did not end on 退出"
exit_placement "$OWN/wtl.dxl" >/dev/null || exit 1
tree | diff "$WORK/tree-before" - || fail "the program wrote under the unpacked root"

# A data folder that is a file: the start ends with a message, nothing else.
: >"$WORK/blocked"
RUN_AS+=(XDG_DATA_HOME="$WORK/blocked")
"${RUN_AS[@]}" env XDG_RUNTIME_DIR="$WORK/run" "$EXE" >"$WORK/blocked.log" 2>&1 &
pid=$!
PIDS+=($pid)
wait_for 'BOX=$(xdotool search --name "^塔维内存整理$" 2>/dev/null | head -n 1) && [ -n "$BOX" ] && is_viewable "$BOX"' ||
    fail "no message when the program folder cannot be made"
[ -n "${TARVIK_SHOTS:-}" ] && mkdir -p "$TARVIK_SHOTS" && shot "$TARVIK_SHOTS/folder-failed.png"
xdotool windowactivate --sync "$BOX" key Return 2>/dev/null || xdotool key Return
wait "$pid"
rc=$?
[ "$rc" -eq 1 ] || fail "the start ended with $rc after the message"
echo "PASS: installed layout: per-user folder filled, log-on entry, exit, unpacked root untouched, folder failure"
