#!/bin/sh
# Runs a Windows test program under Wine for ctest. Now and then, on a loaded
# machine, Wine fails to start a process at all: it ends at once having printed
# nothing. Such a start is tried again; a program that printed anything has
# started, and its result stands as it is. The program writes into a pipe, as
# under ctest itself: with its output going to a file, a host program that a
# test starts through Wine (/bin/sh, to make a name Windows refuses) fails.
out=$(mktemp)
trap 'rm -f "$out" "$out.status"' EXIT
for attempt in 1 2 3; do
    { status=0; wine "$@" 2>&1 || status=$?; echo "$status" >"$out.status"; } | cat >"$out"
    status=$(cat "$out.status")
    [ "$status" -eq 0 ] || [ -s "$out" ] || { echo "Wine did not start $1 (exit $status), starting it again" >&2; continue; }
    break
done
cat "$out"
exit "$status"
