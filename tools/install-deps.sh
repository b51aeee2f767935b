#!/bin/sh
# Installs only what is missing; with everything present it touches no network.
set -eu

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
    NEED_UPDATE=1
fi

PACKAGES="cmake make g++ googletest libgtest-dev g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine32:i386 \
xvfb xauth x11-utils locales fonts-wqy-microhei fonts-wine imagemagick zip"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

if [ -n "$missing" ] || [ "${NEED_UPDATE:-0}" = 1 ]; then
    echo "installing:$missing"
    $SUDO apt-get update -qq
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
fi

if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf8$'; then
    if ! grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
        echo 'zh_CN.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
    fi
    $SUDO locale-gen >/dev/null
fi
