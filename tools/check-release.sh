#!/bin/sh
# Checks the 32-bit release as built, on any machine, whether or not it can
# run it: tools/check-release.sh DIST_FOLDER
#  - the program and the skin library are i386 PE images;
#  - each imports the system's own libraries only, so the release runs on a
#    plain Windows 7 or later;
#  - the skin library exports exactly the three names the program looks up,
#    undecorated (a stdcall name such as _SkinH_Attach@0 is not found by them);
#  - the program carries its manifest and its version block.
set -eu
DIST=$1
EXE="$DIST/Quillory.exe"
DLL="$DIST/PLXE/SkinH_EL.dll"
OBJDUMP=i686-w64-mingw32-objdump
status=0

fail() {
    echo "check-release: $*" >&2
    status=1
}

for binary in "$EXE" "$DLL"; do
    if [ ! -f "$binary" ]; then
        fail "$binary is missing"
        continue
    fi
    format=$($OBJDUMP -f "$binary" | sed -n 's/.*file format //p')
    [ "$format" = pei-i386 ] || fail "$binary is $format, not a 32-bit (pei-i386) image"
    for dll in $($OBJDUMP -p "$binary" | sed -n 's/^\s*DLL Name: //p'); do
        case $(echo "$dll" | tr 'A-Z' 'a-z') in
            kernel32.dll|user32.dll|gdi32.dll|advapi32.dll|shell32.dll|ole32.dll|oleaut32.dll|\
            comctl32.dll|comdlg32.dll|shlwapi.dll|uxtheme.dll|msvcrt.dll|version.dll|psapi.dll|ntdll.dll|\
            api-ms-win-*) ;;
            *) fail "$binary imports $dll, which is no system library" ;;
        esac
    done
done
[ "$status" -eq 0 ] || exit 1

exports=$($OBJDUMP -p "$DLL" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/s/^\s*\[ *[0-9]*\] //p' | sort | tr '\n' ' ')
[ "$exports" = "SkinH_AdjustHSV SkinH_Attach SkinH_AttachEx " ] ||
    fail "$DLL exports '$exports', not exactly SkinH_AdjustHSV SkinH_Attach SkinH_AttachEx"

# Resource types at the top of the resource tree: 16 the version block, 24 the manifest.
types=$($OBJDUMP -p "$EXE" | sed -n 's/^[0-9a-f]*   Entry: ID: 0x0*\([0-9a-f]*\),.*/\1/p')
echo "$types" | grep -qx 10 || fail "$EXE has no version block"
echo "$types" | grep -qx 18 || fail "$EXE has no manifest"
exit $status
