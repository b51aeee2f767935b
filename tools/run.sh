#!/bin/sh
# Starts the program under Wine: dist/Quillory/Quillory.exe, or the 64-bit
# test build where this machine cannot run 32-bit code (tools/with-wine.sh).
# Without a display: under Xvfb, saves a screenshot to build/screenshot.png
# once the window is up, then closes it.
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)

if [ -n "${DISPLAY:-}" ] && [ -z "${QUILLORY_HEADLESS:-}" ]; then
    exec "$ROOT/tools/with-wine.sh" sh -c 'wine "$QUILLORY_DIST/Quillory.exe"'
fi

export QUILLORY_HEADLESS=1
DISPLAY= exec "$ROOT/tools/with-wine.sh" sh -c '
    wine "$QUILLORY_DIST/Quillory.exe" &
    pid=$!
    for i in $(seq 1 60); do
        if xwininfo -root -tree 2>/dev/null | grep -q "Quillory ----"; then break; fi
        sleep 0.5
    done
    sleep 2
    import -window root "$1"
    echo "screenshot: $1"
    wineserver -k
    wait $pid 2>/dev/null || true
' run "$ROOT/build/screenshot.png"
