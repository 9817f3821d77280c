# Helpers for desktop tests: a private X server with the icewm window manager (whose tray hosts
# the real tray icon), a temporary program folder, and ways to find the program's windows.
# Scripts source this file; they get the executable as $1 and the factory data folder as $2.

set -u

skip() {
    echo "SKIP: $*"
    exit 77
}

fail() {
    echo "FAIL: $*"
    # Keep what the screen showed and what the program printed, for the one who reads the failure.
    local keep="/tmp/tarvik-desktop-failure-$(basename "$0" .sh)"
    mkdir -p "$keep"
    import -window root "$keep/screen.png" >/dev/null 2>&1
    cp "$WORK"/*.log "$keep/" 2>/dev/null
    echo "screen and logs kept in $keep"
    exit 1
}

command -v Xvfb >/dev/null || skip "Xvfb is not installed"
command -v icewm >/dev/null || skip "icewm is not installed"
command -v xdotool >/dev/null || skip "xdotool is not installed"

EXE=$1
DATA=$2
# The names of the factory files in $DATA, one a line, as the build lays them beside the program.
FACTORY_LIST="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/cmake/factory-files.txt"
factory_files() { grep -v '^#' "$FACTORY_LIST"; }
WORK=$(mktemp -d /tmp/tarvik-desktop.XXXXXX)
PIDS=()
RUN_AS=()
# The program meets no tray of the session the tests run in; a test that brings its own session
# bus (TARVIK_OWN_BUS) lets it reach that one.
[ -n "${TARVIK_OWN_BUS:-}" ] || export DBUS_SESSION_BUS_ADDRESS="unix:path=$WORK/no-bus"

cleanup() {
    for p in "${PIDS[@]}"; do kill "$p" 2>/dev/null; done
    sleep 0.2
    for p in "${PIDS[@]}"; do kill -9 "$p" 2>/dev/null; done
    [ -n "${KEEP_WORK:-}" ] || rm -rf "$WORK"
}
trap cleanup EXIT

# Starts Xvfb on a free display and icewm on it; waits until the window manager and its tray are
# there.
desktop_start() {
    local attempt
    # On a loaded machine icewm now and then cannot open a display that has just answered, and
    # then never comes up: such a desktop is given up for a new one.
    for attempt in 1 2 3; do
        xserver_start
        icewm_start && return 0
        kill "${PIDS[@]}" 2>/dev/null
        wait "${PIDS[@]}" 2>/dev/null
        PIDS=()
    done
    fail "the window manager did not start (icewm.log: $(tail -n 1 "$WORK/icewm.log" 2>/dev/null))"
}

# Starts Xvfb on a free display. Xvfb takes a display's lock file atomically and exits when the
# display is taken, so a display counts as ours only while our own Xvfb is alive and answering.
xserver_start() {
    # Subshells share $RANDOM's sequence, so the first display mixes in this process and the clock.
    local n pid ok="" first=$((100 + (BASHPID + 10#$(date +%N)) % 800))
    # A random first display keeps a new test away from a server that another test is just ending.
    for n in $(seq "$first" 999) $(seq 100 "$first"); do
        [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
        pid=$!
        for _ in $(seq 100); do
            kill -0 "$pid" 2>/dev/null || break
            if xdpyinfo -display ":$n" >/dev/null 2>&1; then
                # An Xvfb that lost the display to another one exits at once; ours stays.
                sleep 0.3
                kill -0 "$pid" 2>/dev/null && ! grep -q "already active" "$WORK/xvfb.log" && ok=1
                break
            fi
            sleep 0.05
        done
        [ -n "$ok" ] && break
        kill "$pid" 2>/dev/null
    done
    [ -n "$ok" ] || fail "X server did not start"
    PIDS+=($pid)
    export DISPLAY=":$n"
}

# Starts icewm, whose tray hosts XEmbed tray icons; waits until its tray is there.
icewm_start() {
    local wm attempt
    for attempt in 1 2 3; do
        HOME="$WORK" icewm >>"$WORK/icewm.log" 2>&1 &
        wm=$!
        for _ in $(seq 100); do
            xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break
            kill -0 "$wm" 2>/dev/null || break
            sleep 0.1
        done
        kill -0 "$wm" 2>/dev/null && break
    done
    PIDS+=($wm)
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window || return 1
    # The tray is mapped shortly after the window manager announces itself.
    local tray=""
    for _ in $(seq 100); do
        xwininfo -root -tree 2>/dev/null | grep -q '"SystemTray"' && tray=1 && break
        sleep 0.1
    done
    [ -n "$tray" ] || return 1
    sleep 0.5
}

# A program folder holding the executable and the factory files.
program_folder() {
    PROG="$WORK/prog"
    mkdir -p "$PROG"
    cp "$EXE" "$PROG/tarvik"
    # The alarm's sound module lies beside the executable.
    [ -f "$(dirname "$EXE")/libtarvik-sound.so" ] && cp "$(dirname "$EXE")/libtarvik-sound.so" "$PROG/"
    for f in $(factory_files); do
        cp "$DATA/$f" "$PROG/$f"
    done
}

# Starts the program; waits for its monitor window, or with "hidden" for its tray icon.
# PROGRAM names another executable; RUN_AS, a command prefix, another user.
program_start() {
    mkdir -p "$WORK/run" && chmod 700 "$WORK/run"
    local attempt
    # On a loaded machine an X server that has just answered now and then refuses the next client
    # too (see desktop_start): a program that ended without ever reaching the display is started
    # once more. Any other end of the program fails the test as before.
    unreached() { ! kill -0 "$PROGRAM_PID" 2>/dev/null && grep -q "could not connect to display" "$WORK/program.log"; }
    for attempt in 1 2 3; do
        "${RUN_AS[@]}" env XDG_RUNTIME_DIR="$WORK/run" XDG_CONFIG_HOME="$WORK/config" "${PROGRAM:-$PROG/tarvik}" \
            >"$WORK/program.log" 2>&1 &
        PROGRAM_PID=$!
        PIDS+=($PROGRAM_PID)
        if [ "${1:-}" = hidden ]; then
            wait_for 'tray_icon >/dev/null || unreached' && ! unreached && return 0
            unreached && { sleep 0.5; continue; }
            fail "no tray icon"
        fi
        for _ in $(seq 100); do
            MONITOR=$(xdotool search --name '^塔维内存整理$' 2>/dev/null | head -n 1)
            [ -n "$MONITOR" ] && return 0
            unreached && break
            sleep 0.1
        done
        unreached || break
        sleep 0.5
    done
    fail "the monitor window did not appear"
}

# On a bare X server (no window manager, no tray): a program folder whose settings ask for the
# monitor to be hidden at start, and the program started; the monitor shows for want of a tray.
HIDDEN_AT_START='3,True,25,False,Alarm.wav,False,720,False,False,True,True,False,10,0'
start_hidden_without_tray() {
    xserver_start
    program_folder
    printf '%s\r\n' "$HIDDEN_AT_START" >"$PROG/info.dxl"
    cp "$PROG/info.dxl" "$PROG/set.dxl"
    program_start
    wait_for 'is_viewable "$MONITOR"' || fail "the monitor window is not shown without a tray"
}

# The tray icon: the program's window embedded in the tray, found by its size. An optional
# argument names another program's window class.
tray_icon() {
    local w geo
    for w in $(xdotool search --classname "${1:-tarvik}" 2>/dev/null); do
        geo=$(xwininfo -id "$w" 2>/dev/null)
        if echo "$geo" | grep -q 'Map State: IsViewable' && echo "$geo" | grep -Eq 'Width: (1[6-9]|2[0-9]|3[0-2])$' &&
            [ "$(echo "$geo" | awk '/Absolute upper-left Y/ {print $4}')" -gt 700 ]; then
            echo "$w"
            return 0
        fi
    done
    return 1
}

# Absolute centre of a window: "x y".
centre_of() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
        /Width:/ {w=$2} /Height:/ {h=$2} END {print x + int(w / 2), y + int(h / 2)}'
}

top_left_of() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x, y}'
}

# Drags a window from the point x y by dx dy in `steps` equal steps of the pointer with the left
# button held (the first one past the drag distance) and checks that the spot pressed stays
# under the pointer, within 2 pixels, after each step and after the release; the window is
# given up to a second to follow each step. DRAG_WORST is then the worst miss seen.
drag_holds_on() {
    local win=$1 x=$2 y=$3 dx=$4 dy=$5 steps=$6 step px py wx wy ox oy miss
    DRAG_WORST=0
    read -r wx wy < <(top_left_of "$win")
    ox=$((x - wx)) oy=$((y - wy))
    miss_now() {
        read -r wx wy < <(top_left_of "$win")
        local mx=$((px - wx - ox)) my=$((py - wy - oy))
        echo $((${mx#-} > ${my#-} ? ${mx#-} : ${my#-}))
    }
    xdotool mousemove "$x" "$y" mousedown 1
    sleep 0.1
    for step in $(seq "$steps"); do
        px=$((x + dx * step / steps)) py=$((y + dy * step / steps))
        xdotool mousemove "$px" "$py"
        wait_for '[ "$(miss_now)" -le 2 ]' 10
        miss=$(miss_now)
        [ -z "${DRAG_TRACE:-}" ] || echo "trace step $step pointer $px,$py window $(top_left_of "$win") miss $miss" >&2
        [ "$miss" -gt "$DRAG_WORST" ] && DRAG_WORST=$miss
        [ "$miss" -le 2 ] || { xdotool mouseup 1; fail "step $step of a drag by $dx,$dy: the pressed spot is $miss px from the pointer at $px,$py (window at $(top_left_of "$win"))"; }
    done
    xdotool mouseup 1
    sleep 0.5
    miss=$(miss_now)
    [ "$miss" -le 2 ] || fail "after the release of a drag by $dx,$dy the pressed spot is $miss px from the pointer"
}

is_viewable() {
    xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'
}

# Waits for a shell condition, up to about 5 s or the given tenths of a second.
wait_for() {
    for _ in $(seq "${2:-50}"); do
        eval "$1" && return 0
        sleep 0.1
    done
    return 1
}

# Visible override-redirect windows of the program wider than the tray icon: open menus.
open_menus() {
    local w n=0
    for w in $(xdotool search --onlyvisible --classname "${PROGRAM_CLASS:-tarvik}" 2>/dev/null); do
        [ "$w" = "${MONITOR:-}" ] && continue # borderless too, under Wine
        if xwininfo -id "$w" | grep -q 'Override Redirect State: yes' &&
            [ "$(xwininfo -id "$w" | awk '/Width:/ {print $2}')" -gt 60 ]; then
            n=$((n + 1))
        fi
    done
    echo "$n"
}

# The main window: the program's window of 462 × 334 pixels.
main_window() {
    local w
    for w in $(xdotool search --name '^塔维内存整理$' 2>/dev/null); do
        if xwininfo -id "$w" | grep -q 'Width: 462$' && xwininfo -id "$w" | grep -q 'Height: 334$'; then
            echo "$w"
            return 0
        fi
    done
    return 1
}

# Clicks at a point of the main window's client area, whose top left is MX, MY, and gives the
# program CLICK_PAUSE seconds to answer.
click_at() {
    xdotool mousemove $((MX + $1)) $((MY + $2)) click 1
    sleep "${CLICK_PAUSE:-0.4}"
}

# The line of a wtl.dxl that "退出" wrote (three numbers separated by ", "), without its CR LF.
exit_placement() {
    local line
    line=$(tr -d '\r\n' <"$1")
    echo "$line" | grep -Eq '^-?[0-9.]+, -?[0-9.]+, -?[0-9.]+$' || fail "$1 holds '$line'" >&2
    echo "$line"
}

# Opens the monitor window's popup menu with a right-click and types `keys` into it.
monitor_menu() {
    local cx cy
    read -r cx cy < <(centre_of "$MONITOR")
    xdotool mousemove "$cx" "$cy" click 3
    wait_for '[ "$(open_menus)" -ge 1 ]' || fail "right-click on the monitor window opened no menu"
    xdotool key "$@"
    sleep 0.3
}

shot() {
    import -window root "$1"
}
