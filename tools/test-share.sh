# Sourced by tools/with-wine.sh: the tests' network share. A folder beside
# the Wine prefix is served by tools/slow_share.c (every call 1 ms late) and
# mapped into the prefix as \\fileserver\photos and as the network drive S:.
# The tests find it through the environment:
#   QUILLORY_SHARE_SOURCE   the served folder itself, as Wine names it (fast to fill)
#   QUILLORY_SHARE_CONTROL  the control file: "stop", "go", "delay MICROSECONDS"
#   QUILLORY_SHARE_MISSING  why there is no share, where there is none
# The share is taken away again by share_unmount.

SHARE_BIN="$ROOT/build/slow_share"
SHARE_DIR="$WINEPREFIX-share"
SHARE_PID=""

share_missing() {
    export QUILLORY_SHARE_MISSING="$1"
}

# Wine's name for a host path on its Z: drive.
share_wine_path() {
    printf 'Z:%s' "$1" | tr / '\\'
}

share_mount() {
    if [ ! -e /dev/fuse ]; then share_missing "this machine has no /dev/fuse"; return 0; fi
    if ! command -v fusermount3 >/dev/null; then share_missing "fusermount3 is not installed"; return 0; fi
    if [ ! -x "$SHARE_BIN" ]; then share_missing "$SHARE_BIN is not built (make windows builds it)"; return 0; fi
    mkdir -p "$SHARE_DIR/source" "$SHARE_DIR/mount"
    # What an interrupted run left mounted goes first.
    fusermount3 -uz "$SHARE_DIR/mount" 2>/dev/null || true
    echo go >"$SHARE_DIR/control"
    "$SHARE_BIN" "$SHARE_DIR/source" "$SHARE_DIR/mount" "$SHARE_DIR/control" -d 1000 2>"$SHARE_DIR/log" &
    SHARE_PID=$!
    tries=0
    until grep -qs " $SHARE_DIR/mount fuse" /proc/mounts; do
        tries=$((tries + 1))
        if [ $tries -gt 100 ] || ! kill -0 "$SHARE_PID" 2>/dev/null; then
            share_missing "the share could not be mounted: $(cat "$SHARE_DIR/log")"
            kill "$SHARE_PID" 2>/dev/null || true
            SHARE_PID=""
            return 0
        fi
        sleep 0.05
    done
    mkdir -p "$WINEPREFIX/dosdevices/unc/fileserver"
    ln -sfn "$SHARE_DIR/mount" "$WINEPREFIX/dosdevices/unc/fileserver/photos"
    ln -sfn "$SHARE_DIR/mount" "$WINEPREFIX/dosdevices/s:"
    # Read by Wine's mount manager when it starts, so set before any program runs.
    if ! grep -q '^"s:"="network"' "$WINEPREFIX/system.reg"; then
        wine reg add 'HKLM\Software\Wine\Drives' /v s: /d network /f >/dev/null 2>&1
        wineserver -k 2>/dev/null || true
        wineserver -w
    fi
    export QUILLORY_SHARE_SOURCE="$(share_wine_path "$SHARE_DIR/source")"
    export QUILLORY_SHARE_CONTROL="$(share_wine_path "$SHARE_DIR/control")"
}

share_unmount() {
    [ -n "$SHARE_PID" ] || return 0
    echo go >"$SHARE_DIR/control"
    rm -f "$WINEPREFIX/dosdevices/s:" "$WINEPREFIX/dosdevices/unc/fileserver/photos"
    fusermount3 -uz "$SHARE_DIR/mount" 2>/dev/null || true
    wait "$SHARE_PID" 2>/dev/null || true
    SHARE_PID=""
}
