#!/bin/sh
# Builds the Windows tree build/windows, which the Windows tests run in. Where
# this machine runs 32-bit code it is the release's own 32-bit build. Where it
# cannot (tools/wine-arch.sh), build/windows is a 64-bit build of the same
# sources for the tests, and build/windows-i686 builds the 32-bit program and
# skin library for dist/ alone.
set -eu
BUILD=$1
JOBS=$2

configure() {
    tree=$1
    toolchain=$2
    # CMake cannot switch a configured tree to another toolchain.
    if [ -f "$tree/CMakeCache.txt" ] && ! grep -q "$toolchain" "$tree/CMakeCache.txt"; then rm -rf "$tree"; fi
    cmake -S . -B "$tree" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$toolchain" >/dev/null
}

if [ "$(tools/wine-arch.sh)" = win32 ]; then
    configure "$BUILD/windows" cmake/mingw-i686.cmake
    cmake --build "$BUILD/windows" -j "$JOBS"
else
    configure "$BUILD/windows-i686" cmake/mingw-i686.cmake
    cmake --build "$BUILD/windows-i686" -j "$JOBS" --target dist
    configure "$BUILD/windows" cmake/mingw-x86_64.cmake
    cmake --build "$BUILD/windows" -j "$JOBS"
fi
