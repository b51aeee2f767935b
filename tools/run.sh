#!/bin/sh
# Starts dist/Quillory/Quillory.exe under Wine. Without a display: under Xvfb,
# saves a screenshot to build/screenshot.png once the window is up, then closes it.
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
EXE="$ROOT/dist/Quillory/Quillory.exe"

if [ -n "${DISPLAY:-}" ] && [ -z "${QUILLORY_HEADLESS:-}" ]; then
    exec "$ROOT/tools/with-wine.sh" wine "$EXE"
fi

export QUILLORY_HEADLESS=1
DISPLAY= exec "$ROOT/tools/with-wine.sh" sh -c '
    wine "$1" &
    pid=$!
    for i in $(seq 1 60); do
        if xwininfo -root -tree 2>/dev/null | grep -q "Quillory ----"; then break; fi
        sleep 0.5
    done
    sleep 2
    import -window root "$2"
    echo "screenshot: $2"
    wineserver -k
    wait $pid 2>/dev/null || true
' run "$EXE" "$ROOT/build/screenshot.png"
