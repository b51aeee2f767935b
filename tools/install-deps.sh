#!/bin/sh
# Installs only what is missing; with everything present it touches no network.
# What this machine can run is decided first (tools/wine-arch.sh): the 32-bit
# Wine and the i386 architecture it needs are asked for only where 32-bit
# code runs.
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

PACKAGES="cmake make g++ googletest libgtest-dev g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix \
wine wine64 xvfb xauth x11-utils locales fonts-wqy-microhei fonts-wine imagemagick zip \
fuse3 libfuse3-dev pkg-config"

NEED_UPDATE=0
if [ "$("$ROOT/tools/wine-arch.sh")" = win32 ]; then
    PACKAGES="$PACKAGES wine32:i386"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        $SUDO dpkg --add-architecture i386
        NEED_UPDATE=1
    fi
fi

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

# A mirror in the middle of a sync serves an index that fails for a while; a
# few tries, then the lists that did arrive may still hold what is missing.
update_lists() {
    for wait in 5 15 30; do
        $SUDO apt-get update -qq && return 0
        echo "install-deps: the package lists did not all download; trying again in $wait s" >&2
        sleep "$wait"
    done
    $SUDO apt-get update -qq && return 0
    echo "install-deps: warning: some package lists could not be downloaded; going on with those there are" >&2
}

if [ -n "$missing" ] || [ "$NEED_UPDATE" = 1 ]; then
    echo "installing:$missing"
    update_lists
    # shellcheck disable=SC2086
    if ! DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing; then
        echo "install-deps: could not install:$missing" >&2
        echo "install-deps: the package mirror may be mid-sync; run 'apt-get update' until it succeeds, then run make again" >&2
        exit 1
    fi
fi

if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf8$'; then
    if ! grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
        echo 'zh_CN.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
    fi
    $SUDO locale-gen >/dev/null
fi
