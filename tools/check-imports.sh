#!/bin/sh
# Fails when a Windows binary imports anything but the system's own libraries,
# so the release runs on a plain Windows 7 or later.
set -eu
status=0
for binary in "$@"; do
    for dll in $(i686-w64-mingw32-objdump -p "$binary" | sed -n 's/^\s*DLL Name: //p'); do
        case $(echo "$dll" | tr 'A-Z' 'a-z') in
            kernel32.dll|user32.dll|gdi32.dll|advapi32.dll|shell32.dll|ole32.dll|oleaut32.dll|\
            comctl32.dll|comdlg32.dll|shlwapi.dll|uxtheme.dll|msvcrt.dll|version.dll|psapi.dll|\
            api-ms-win-*) ;;
            *) echo "$binary imports $dll, which is no system library" >&2; status=1 ;;
        esac
    done
done
exit $status
