#!/bin/sh
# The 32-bit program on 64-bit Windows: in a 64-bit Wine prefix, whose WOW64
# shows a 32-bit program SysWOW64 where it names System32 as Windows does,
# --extract must describe System32's own files and find its own folders.
#   tests/windows/wow64_details_test.sh QUILLORY_EXE
# The prefix is made once, in build/wineprefix-wow64, and kept.
set -eu
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
EXE=$1
if [ "$("$ROOT/tools/wine-arch.sh")" != win32 ]; then
    echo "Skipped: this machine runs no 32-bit code, so no 32-bit program can run under WOW64 here."
    exit 77
fi

export WINEPREFIX="$ROOT/build/wineprefix-wow64" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    LC_ALL=zh_CN.UTF-8
unset WINELOADER
# Wine's background processes would hold ctest's output pipe: none of them gets it.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    started=$(date +%s)
    /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 </dev/null
    wineserver -w
    echo "64-bit prefix made in $(($(date +%s) - started)) s"
fi

C="$WINEPREFIX/drive_c"
# Each file with its own size and time, so no other file's columns pass for them.
place() {
    mkdir -p "$(dirname "$1")"
    printf '%s' "$2" >"$1"
    touch -d "@$3" "$1"
}
place "$C/windows/system32/quillory-marker-64.txt" "only in System32" 1709212455
rm -f "$C/windows/syswow64/quillory-marker-64.txt"
place "$C/windows/system32/quillory-twin.txt" "System32's" 1700000000
place "$C/windows/syswow64/quillory-twin.txt" "the 32-bit twin, longer" 1600000000
place "$C/windows/system32/quillory-wow64/inside.txt" "inside" 1650000000
rm -rf "$C/windows/syswow64/quillory-wow64"

rm -rf "$C/quillory-wow64"
mkdir -p "$C/quillory-wow64"
cp "$EXE" "$C/quillory-wow64/Quillory.exe"

WORK=$(mktemp -d)
trap 'wineserver -k 2>/dev/null || true; rm -rf "$WORK"' EXIT
# A line of the details form for a file of the prefix: name, size, local time.
line() { printf '%s\t%s\t%s\r\n' "$1" "$(stat -c %s "$2")" "$(date -d "@$(stat -c %Y "$2")" '+%Y-%m-%d %H:%M:%S')"; }

failures=0
# Runs the program on a folder; the day's file must hold exactly $WORK/expected.
check() {
    label=$1
    shift
    rm -rf "$C/quillory-wow64/Quillory-存储"
    status=0
    wine 'C:\quillory-wow64\Quillory.exe' --extract "$@" --name details --sort name --forward --blank 0 \
        >"$WORK/log" 2>&1 </dev/null || status=$?
    cat "$C"/quillory-wow64/Quillory-存储/*.txt >"$WORK/written" 2>/dev/null || true
    if [ "$status" -eq 0 ] && cmp -s "$WORK/expected" "$WORK/written"; then
        echo "ok: $label"
    else
        echo "FAILED: $label (exit $status)"
        iconv -f GB18030 -t UTF-8 "$WORK/log" 2>/dev/null || cat "$WORK/log"  # the program prints in code page 936
        echo "expected:"; od -An -c "$WORK/expected"
        echo "written:"; od -An -c "$WORK/written"
        failures=$((failures + 1))
    fi
}

{ line quillory-marker-64.txt "$C/windows/system32/quillory-marker-64.txt"
  line quillory-twin.txt "$C/windows/system32/quillory-twin.txt"; } >"$WORK/expected"
check "System32's own files described" 'C:\windows\system32' --include 'quillory-*.txt'
line inside.txt "$C/windows/system32/quillory-wow64/inside.txt" >"$WORK/expected"
check "a folder only System32 holds is extracted" 'C:\windows\system32\quillory-wow64'
[ "$failures" -eq 0 ]
