#!/bin/sh
# Runs a command with the project's Wine set-up: a private prefix in the build
# tree (32-bit, or 64-bit where this machine cannot run 32-bit code, see
# tools/wine-arch.sh), code page 936, no add-on installers, a display (Xvfb
# when there is none), and one wineserver for the whole command, ended
# afterwards. QUILLORY_DIST names the dist folder this machine can run. A slow
# network share is mounted for the command (tools/test-share.sh).
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)

export WINEARCH="$("$ROOT/tools/wine-arch.sh")"
if [ "$WINEARCH" = win32 ]; then
    export WINEPREFIX="${QUILLORY_WINEPREFIX:-$ROOT/build/wineprefix}"
    export QUILLORY_DIST="$ROOT/dist/Quillory"
else
    export WINEPREFIX="${QUILLORY_WINEPREFIX:-$ROOT/build/wineprefix64}"
    export QUILLORY_DIST="$ROOT/build/windows/dist/Quillory"
    # Debian's wine script prefers the 32-bit loader, which cannot start here.
    shim="$ROOT/build/wine64-shim"
    mkdir -p "$shim"
    # Written aside and moved in, since two shards of the tests start at once.
    printf '#!/bin/sh\nexport WINELOADER=/usr/lib/wine/wine64\nexec /usr/lib/wine/wine64 "$@"\n' > "$shim/wine.$$"
    chmod +x "$shim/wine.$$"
    mv -f "$shim/wine.$$" "$shim/wine"
    export PATH="$shim:$PATH"
fi
export LC_ALL=zh_CN.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG="${WINEDEBUG:--all}"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    wine wineboot -i >/dev/null 2>&1
    wineserver -w
fi

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

. "$ROOT/tools/test-share.sh"
share_mount
trap share_unmount EXIT
wineserver -p
# Start Wine's own background processes now, with no pipe of the caller's:
# started later they would inherit a test's output pipe and hold it open.
wine cmd /c exit </dev/null >/dev/null 2>&1 || true
# Xvfb has no window manager: Wine would wait 2 s for one each time it hides a
# managed window (a message box answered, a window closed), with that window's
# thread stuck meanwhile. Unmanaged, Wine draws and places the windows itself.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1 || true
status=0
"$@" || status=$?
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
share_unmount
exit $status
