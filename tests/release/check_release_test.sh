#!/bin/sh
# The release check passes the release as built and refuses releases that
# would fail on a user's machine: tests/release/check_release_test.sh DIST_FOLDER
set -eu
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
CHECK="$ROOT/tools/check-release.sh"
DIST=$1
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
CC=i686-w64-mingw32-gcc
failures=0

expect() {
    wanted=$1 label=$2 folder=$3
    if "$CHECK" "$folder" 2>"$WORK/why"; then got=pass; else got=fail; fi
    if [ "$got" = "$wanted" ]; then
        echo "ok: $label"
    else
        echo "FAILED: $label: the check should $wanted, it did $got" >&2
        cat "$WORK/why" >&2
        failures=$((failures + 1))
    fi
}

# A copy of the release with one file replaced.
variant() {
    rm -rf "$WORK/dist"
    cp -r "$DIST" "$WORK/dist"
    cp "$1" "$WORK/dist/$2"
}

cat >"$WORK/skin.c" <<'C'
__declspec(dllexport) int __stdcall SkinH_Attach(void) { return 0; }
__declspec(dllexport) int __stdcall SkinH_AttachEx(const char* skin, const char* password) { return 0; }
__declspec(dllexport) int __stdcall SkinH_AdjustHSV(int hue, int saturation, int brightness) { return 0; }
C
cat >"$WORK/helper.c" <<'C'
__declspec(dllexport) int helper(void) { return 0; }
C
cat >"$WORK/main.c" <<'C'
__declspec(dllimport) int helper(void);
int main(void) { return helper(); }
C

expect pass "the release as built" "$DIST"

# Without --kill-at the stdcall names keep their decoration (SkinH_Attach@0).
$CC -shared -o "$WORK/decorated.dll" "$WORK/skin.c"
variant "$WORK/decorated.dll" PLXE/SkinH_EL.dll
expect fail "a skin library exporting decorated names" "$WORK/dist"

$CC -shared -Wl,--kill-at -o "$WORK/undecorated.dll" "$WORK/skin.c"
variant "$WORK/undecorated.dll" PLXE/SkinH_EL.dll
expect pass "a skin library exporting the three undecorated names" "$WORK/dist"

$CC -shared -o "$WORK/helper.dll" "$WORK/helper.c"
$CC -o "$WORK/imports.exe" "$WORK/main.c" "$WORK/helper.dll"
variant "$WORK/imports.exe" Quillory.exe
expect fail "a program importing a library of its own" "$WORK/dist"

x86_64-w64-mingw32-gcc -shared -Wl,--kill-at -o "$WORK/wide.dll" "$WORK/skin.c"
variant "$WORK/wide.dll" PLXE/SkinH_EL.dll
expect fail "a 64-bit skin library" "$WORK/dist"

# A plain program has neither the manifest nor the version block.
printf 'int main(void) { return 0; }\n' | $CC -x c -o "$WORK/bare.exe" -
variant "$WORK/bare.exe" Quillory.exe
expect fail "a program without its manifest and version block" "$WORK/dist"

[ "$failures" -eq 0 ]
