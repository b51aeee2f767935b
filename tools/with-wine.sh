#!/bin/sh
# Runs a command with the project's Wine set-up: a private 32-bit prefix in the
# build tree, code page 936, no add-on installers, a display (Xvfb when there
# is none), and one wineserver for the whole command, ended afterwards.
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)

export WINEPREFIX="${QUILLORY_WINEPREFIX:-$ROOT/build/wineprefix}"
export WINEARCH=win32
export LC_ALL=zh_CN.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG="${WINEDEBUG:--all}"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    wineboot -i >/dev/null 2>&1
    wineserver -w
fi

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

wineserver -p
# Start Wine's own background processes now, with no pipe of the caller's:
# started later they would inherit a test's output pipe and hold it open.
wine cmd /c exit </dev/null >/dev/null 2>&1 || true
status=0
"$@" || status=$?
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
exit $status
