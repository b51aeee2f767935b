#!/bin/sh
# Saves a PNG of the program's window listing a demo folder, under Xvfb:
#   tools/screenshot.sh OUTPUT.png [DPI]
# The program runs as C:\Quillory, a copy of the dist folder this machine can
# run (tools/with-wine.sh), in a Wine prefix of its own, in which Wine draws
# the window's frame and title bar itself (Xvfb has no window manager) and the
# start folder holds a few demo files.
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
OUTPUT=$(realpath -m "$1")
DPI=${2:-96}

export QUILLORY_WINEPREFIX="$ROOT/build/screenshot-prefix"
DISPLAY= exec "$ROOT/tools/with-wine.sh" sh -c '
    set -eu
    output=$1 dpi=$2
    program="$WINEPREFIX/drive_c/Quillory"
    rm -rf "$program"
    cp -r "$QUILLORY_DIST" "$program"
    rm -rf "$program/Quillory-存储" "$program/PLXE/PLXE.ini"
    # Wine draws the caption buttons with Marlett, which Debian'"'"'s Wine does not
    # put in a new prefix by itself (fonts-wine).
    cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    wine reg add "HKCU\\Software\\Wine\\X11 Driver" /v Decorated /t REG_SZ /d N /f >/dev/null
    wine reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
    # The start folder is C:\Users\<computer name>\Desktop.
    name=$(wine cmd /c "echo %COMPUTERNAME%" | tr -d "\r")
    desktop="$WINEPREFIX/drive_c/users/$name/Desktop"
    rm -rf "$desktop"
    mkdir -p "$desktop/旧照片"
    for file in 会议纪要.docx 2024年预算.xlsx 项目计划书.pdf README.txt photo_0001.jpg photo_0002.jpg \
                发票-三月.pdf 客户名单.csv notes.md 演示文稿.pptx; do
        : > "$desktop/$file"
    done

    wine "$program/Quillory.exe" &
    pid=$!
    window=""
    for i in $(seq 1 60); do
        window=$(xwininfo -root -tree 2>/dev/null | grep "Quillory ----" | awk "{print \$1}" | head -n 1)
        [ -n "$window" ] && break
        sleep 0.5
    done
    [ -n "$window" ] || { echo "the window did not appear" >&2; exit 1; }
    sleep 2  # the skin and the list settle
    import -window "$window" -strip "$output"
    echo "screenshot: $output"
    wineserver -k
    wait $pid 2>/dev/null || true
' screenshot "$OUTPUT" "$DPI"
