#!/usr/bin/env bash
# Runs one cross-built test program under Wine: run-test.sh WINE PROGRAM ARGUMENTS...
# Now and then (once in a CI run of 113 widget tests, under load) Wine ends a test process within
# milliseconds, before the program has printed a line, with no message of its own. A test
# program always prints first (Google Test names its filter), so such a start never ran the
# test: it is reported with its exit status and started once more. Every other end, a failed
# test above all, is passed on as it is.
wine=$1
shift
out=$(mktemp)
trap 'rm -f "$out"' EXIT
for attempt in 1 2; do
    started=$(date +%s%N)
    # Passed on as it comes, so that a test that hangs until its timeout shows how far it got.
    "$wine" "$@" 2>&1 | tee "$out"
    status=${PIPESTATUS[0]}
    took=$((($(date +%s%N) - started) / 1000000))
    if [ "$status" -eq 0 ] || [ -s "$out" ] || [ "$took" -ge 2000 ] || [ "$attempt" -eq 2 ]; then
        exit "$status"
    fi
    echo "run-test: Wine ended $(basename "$1") after $took ms with exit status $status, printing nothing; started once more" >&2
done
