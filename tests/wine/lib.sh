# Helpers for the tests that drive the Windows program under Wine on the private desktop of
# tests/desktop/lib.sh, which a test sources before this file.

now() { date +%s%N; }
seconds_since() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.2f", (b - a) / 1e9 }'; }
# Up to about 30 s: a first start under Wine sets up the prefix's services.
wait_long() {
    wait_for "$1" 300
}

# Finds Wine and readies a fresh prefix in $WORK/wine in a Chinese locale, so that the system's
# ANSI code page is 936 as on the systems the program serves; skips where Wine is missing. WINE is
# then the command that runs a Windows program.
wine_setup() {
    WINE=$(command -v wine64 || ls /usr/lib/wine/wine64 2>/dev/null || command -v wine || true)
    WINESERVER=$(command -v wineserver || ls /usr/lib/wine/wineserver 2>/dev/null || true)
    [ -n "$WINE" ] && [ -n "$WINESERVER" ] || skip "Wine is not installed"
    # No menu entries or file associations of the prefix in the desktop of whoever runs the tests.
    export WINEPREFIX="$WORK/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d"
    mkdir -p "$WORK/locale"
    localedef -i zh_CN -f UTF-8 "$WORK/locale/zh_CN.UTF-8" 2>/dev/null || skip "the Chinese locale cannot be built"
    # Through env, so that only Wine takes the locale; this shell cannot load it from LOCPATH.
    WINE=(env LOCPATH="$WORK/locale" LC_ALL=zh_CN.UTF-8 "$WINE")
}

# Makes the prefix. Wine finds the desktop's fonts through fontconfig; its own texts (the tray
# icon's tip, message boxes, a setup's pages) take the Chinese face by font linking.
wine_prefix_start() {
    local begin face
    begin=$(now)
    "${WINE[@]}" wineboot --init >"$WORK/wineboot.log" 2>&1 || fail "wineboot failed"
    for face in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif"; do
        "${WINE[@]}" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v "$face" \
            /t REG_MULTI_SZ /d 'NotoSansCJK-Regular.ttc,Noto Sans CJK SC' /f >/dev/null 2>&1
    done
    "$WINESERVER" -w
    echo "fresh Wine prefix in $(seconds_since "$begin") s"
}

# The zip's tests: Wine readied, a fresh prefix made and the zip ($EXE) unpacked into it as the
# program folder.
wine_zip_start() {
    command -v unzip >/dev/null || skip "unzip is not installed"
    ZIP=$EXE
    wine_setup
    trap '"$WINESERVER" -k 2>/dev/null; cleanup' EXIT
    wine_prefix_start
    wine_unpack
}

# Unpacked where a user might put it; that folder is the program folder.
wine_unpack() {
    unzip -q "$ZIP" -d "$WINEPREFIX/drive_c" || fail "the zip does not unpack"
    PROG=$(ls -d "$WINEPREFIX"/drive_c/Tarvik-*-windows-x64)
    [ -f "$PROG/Tarvik.exe" ] || fail "no Tarvik.exe in the zip"
    WINPROG='C:\'$(basename "$PROG")
}

# Starts Tarvik.exe of the unpacked zip (or of the Windows folder given) from another folder than
# its own, as a shortcut or the Run key would.
wine_start() {
    (cd "$WINEPREFIX/drive_c" && exec "${WINE[@]}" "${1:-$WINPROG}\\Tarvik.exe") >>"$WORK/program.log" 2>&1 &
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
# The DLLs that System32 of every clean Windows 10 and 11 x64 holds, of those a Qt program may
# import. Wine's own System32 is no yardstick: it also carries runtimes that Windows lacks
# (vcruntime140, msvcp140, ...), so a program missing them would seem complete.
WINDOWS_DLLS=" advapi32 authz bcrypt comctl32 comdlg32 crypt32 d2d1 d3d11 d3d12 d3d9 dcomp dnsapi dwmapi dwrite
    dxgi gdi32 imm32 iphlpapi kernel32 mpr msimg32 msvcrt ncrypt netapi32 ntdll ole32 oleaut32 opengl32
    powrprof propsys psapi rpcrt4 secur32 setupapi shcore shell32 shlwapi ucrtbase user32 userenv usp10
    uxtheme version winhttp wininet winmm winspool.drv wldap32 ws2_32 wtsapi32 "

# Fails unless every DLL that the executables and DLLs of a program folder import is in that
# folder or is part of Windows.
check_dlls() {
    local folder=$1 binary dll name imports
    for binary in "$folder"/*.exe "$folder"/*.dll "$folder"/*/*.dll; do
        [ -f "$binary" ] || continue
        imports=$(x86_64-w64-mingw32-objdump -p "$binary") || fail "$binary is no Windows executable"
        for dll in $(echo "$imports" | awk '/DLL Name:/ {print $3}'); do
            [ -n "$(find "$folder" -maxdepth 1 -iname "$dll")" ] && continue
            name=$(echo "$dll" | tr 'A-Z' 'a-z')
            # API sets are names that the loader of every Windows 10 and 11 maps to its own DLLs.
            case $name in api-ms-win-*) continue ;; esac
            # shellcheck disable=SC2086 # one word a DLL
            printf '%s\n' $WINDOWS_DLLS | grep -qxF -e "${name%.dll}" -e "$name" && continue
            fail "$(basename "$binary") needs $dll, which is neither in $folder nor part of Windows"
        done
    done
}

size_of() {
    xwininfo -id "$1" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}'
}
# A shown window with this title and size; Wine names X windows after Win32 ones.
window_of() {
    local w
    for w in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
        [ "$(size_of "$w")" = "$2" ] && echo "$w" && return 0
    done
    return 1
}
# A shown framed window whose title matches this expression.
framed_window() {
    local w
    for w in $(xdotool search --onlyvisible --name "$1" 2>/dev/null); do
        xwininfo -id "$w" | grep -q 'Override Redirect State: no' && echo "$w" && return 0
    done
    return 1
}
# A message box: a framed window with this title.
message_box() {
    framed_window "^$1\$"
}
# The data of the log-on value "Tarvik" under HKLM or HKCU.
run_value() {
    "${WINE[@]}" reg query "$1\\Software\\Microsoft\\Windows\\CurrentVersion\\Run" /v Tarvik 2>/dev/null |
        tr -d '\r' | awk '$1 == "Tarvik" && $2 == "REG_SZ" { sub(/^[^R]*REG_SZ[ \t]*/, ""); print }'
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
# Opens the monitor window's popup menu, photographs it when the first argument names the
# photograph (empty: none), and types the other arguments into it as keys.
wine_monitor_menu() {
    local cx cy attempt
    read -r cx cy < <(centre_of "$MONITOR")
    # A click that comes while the program is still starting is answered once it runs; one that
    # Wine drops then is repeated, as a user would.
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
# With TARVIK_SHOTS set to a folder: a photograph of a screen area, WIDTHxHEIGHT+X+Y.
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
