# Helpers for the Windows program's tests under Wine, sourced after tests/desktop/lib.sh: a fresh
# Wine prefix, the zip ($1) unpacked into it as the program folder, Tarvik.exe started from
# another folder, and ways to find its windows, menus, message boxes and files.
ZIP=$EXE
command -v unzip >/dev/null || skip "unzip is not installed"
WINE=$(command -v wine64 || ls /usr/lib/wine/wine64 2>/dev/null || command -v wine || true)
WINESERVER=$(command -v wineserver || ls /usr/lib/wine/wineserver 2>/dev/null || true)
[ -n "$WINE" ] && [ -n "$WINESERVER" ] || skip "Wine is not installed"

now() { date +%s%N; }
# Up to about 30 s: a first start under Wine sets up the prefix's services.
wait_long() {
    wait_for "$1" 300
}
seconds_since() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.2f", (b - a) / 1e9 }'; }

# A fresh prefix in a Chinese locale, so that the system's ANSI code page is 936 as on the systems
# the program serves. Wine finds the desktop's fonts through fontconfig; its own texts (the tray
# icon's tip, message boxes) take the Chinese face by font linking.
export WINEPREFIX="$WORK/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap '"$WINESERVER" -k 2>/dev/null; cleanup' EXIT
mkdir -p "$WORK/locale"
localedef -i zh_CN -f UTF-8 "$WORK/locale/zh_CN.UTF-8" 2>/dev/null || skip "the Chinese locale cannot be built"
# Through env, so that only Wine takes the locale; this shell cannot load it from LOCPATH.
WINE=(env LOCPATH="$WORK/locale" LC_ALL=zh_CN.UTF-8 "$WINE")

wine_prefix_init() {
    "${WINE[@]}" wineboot --init >"$WORK/wineboot.log" 2>&1 || fail "wineboot failed"
    for face in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif"; do
        "${WINE[@]}" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v "$face" \
            /t REG_MULTI_SZ /d 'NotoSansCJK-Regular.ttc,Noto Sans CJK SC' /f >/dev/null 2>&1
    done
    "$WINESERVER" -w
}

# Unpacked where a user might put it; that folder is the program folder.
wine_unpack() {
    unzip -q "$ZIP" -d "$WINEPREFIX/drive_c" || fail "the zip does not unpack"
    PROG=$(ls -d "$WINEPREFIX"/drive_c/Tarvik-*-windows-x64)
    [ -f "$PROG/Tarvik.exe" ] || fail "no Tarvik.exe in the zip"
    WINPROG='C:\'$(basename "$PROG")
}

size_of() {
    xwininfo -id "$1" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}'
}
# A shown window of the program with this title and size; Wine names X windows after Win32 ones.
window_of() {
    local w
    for w in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
        [ "$(size_of "$w")" = "$2" ] && echo "$w" && return 0
    done
    return 1
}
# Starts Tarvik.exe from another folder than its own, as a shortcut or the Run key would.
wine_start() {
    (cd "$WINEPREFIX/drive_c" && exec "${WINE[@]}" "$WINPROG\\Tarvik.exe") >>"$WORK/program.log" 2>&1 &
    PROGRAM_PID=$!
    PIDS+=($PROGRAM_PID)
}
ended() {
    ! kill -0 "$PROGRAM_PID" 2>/dev/null
}
log_text() {
    iconv -f CP936 -t UTF-8 "$PROG/Tarvik.log"
}
files_digest() {
    (cd "$PROG" && md5sum -- *.dxl Tarvik.log)
}
# A message box: a framed window with this title.
message_box() {
    local w
    for w in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
        xwininfo -id "$w" | grep -q 'Override Redirect State: no' && echo "$w" && return 0
    done
    return 1
}
# Answers a message box with its only button, as a user would: a click on OK, which Wine puts in
# the box's bottom right corner. (A box of a process with no other window does not get the
# keyboard by itself, so Enter alone may go nowhere.)
answer_box() {
    local box=$1 bx by bw bh attempt
    for attempt in 1 2 3; do
        is_viewable "$box" || return 0
        read -r bx by bw bh < <(xwininfo -id "$box" | awk '/Absolute upper-left X/ {x=$4}
            /Absolute upper-left Y/ {y=$4} /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}')
        xdotool mousemove $((bx + bw - 48)) $((by + bh - 23)) click 1
        wait_for '! is_viewable "$box"' && return 0
    done
}
# Popup menus: Wine shows them as override-redirect windows of the program, like the monitor
# window, under the executable's name.
PROGRAM_CLASS=tarvik.exe
menu() {
    local cx cy
    read -r cx cy < <(centre_of "$MONITOR")
    # A click that comes while the program is still starting is answered once it runs; one that
    # Wine drops then is repeated, as a user would.
    local attempt
    for attempt in 1 2 3; do
        xdotool mousemove "$cx" "$cy" click 3
        wait_for '[ "$(open_menus)" -ge 1 ]' && break
        [ "$attempt" = 3 ] && fail "a right-click on the monitor window opened no menu"
    done
    sleep 0.3
    [ -n "${1:-}" ] && shot_of_screen "$1" 300 260 $((cx - 60)) $((cy - 20))
    shift
    xdotool key "$@"
    sleep 0.4
}
shot_of_screen() {
    [ -n "${TARVIK_SHOTS:-}" ] || return 0
    mkdir -p "$TARVIK_SHOTS"
    import -window root -crop "$2x$3+$4+$5" +repage "$TARVIK_SHOTS/$1.png"
}
# How many pixels of a screen area have this colour.
pixels_of() {
    import -window root -crop "$1" +repage "$WORK/area.png"
    convert "$WORK/area.png" -format %c histogram:info:- | awk -v c="($2)" 'index($0, c) {n += $1} END {print n + 0}'
}
