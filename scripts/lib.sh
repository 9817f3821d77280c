# Sourced by the build and test scripts: where the checkout is, how many jobs a build runs, where
# a build folder lies, and a command run with its output kept in a log. A build script prints its
# results alone on stdout, one path a line; what it has to say besides, and the tools' output, go
# to stderr, so that a caller takes the results with x=$(script) and sees its exit status.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=${JOBS:-$(nproc 2>/dev/null || echo 2)}

# A build folder named by a BUILD_* variable: as given when absolute, else in the checkout.
#   build_folder VALUE
build_folder() {
    case $1 in
    /*) printf '%s\n' "$1" ;;
    *) printf '%s\n' "$root/$1" ;;
    esac
}

# Runs a command with its output in LOG; when the command fails, says so on stderr with the end
# of LOG, and returns its exit status.
#   logged LOG COMMAND...
logged() {
    local log=$1 status=0
    shift
    "$@" >"$log" 2>&1 || status=$?
    if [ "$status" -ne 0 ]; then
        printf '%s: %s failed (exit %s); the end of %s:\n' "$(basename "$0")" "$1" "$status" "$log" >&2
        tail -n 40 "$log" >&2
    fi
    return "$status"
}
