#!/bin/sh
# Runs a Windows test program under Wine for ctest. Now and then, on a loaded
# machine, Wine fails to start a process at all: it ends at once having printed
# nothing. Such a start is tried again; a program that printed anything has
# started, and its result stands as it is.
out=$(mktemp)
trap 'rm -f "$out"' EXIT
for attempt in 1 2 3; do
    status=0
    wine "$@" >"$out" 2>&1 || status=$?
    [ "$status" -eq 0 ] || [ -s "$out" ] || { echo "Wine did not start $1 (exit $status), starting it again" >&2; continue; }
    break
done
cat "$out"
exit "$status"
