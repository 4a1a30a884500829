#!/usr/bin/env bash
# Prepares this machine for building and running the tool under Wine: Debian packages and the
# project's own Wine prefix. Safe to run again. With --packages, only the packages: enough to build.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lifecycle.sh"

PACKAGES=(cmake make git python3 g++-mingw-w64-i686 mingw-w64-i686-dev g++-mingw-w64-x86-64 googletest
          wine wine32:i386 wine64 xvfb x11-utils xdotool imagemagick
          fonts-wqy-microhei fonts-wine)

missing_packages() {
    local p
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
    done
}

install_packages() {
    local missing
    missing=$(missing_packages)
    [ -z "$missing" ] && return 0
    echo "setup: installing $(echo $missing)"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing >/dev/null
}

create_prefix() {
    [ -f "$WINEPREFIX/.personal-wifi-ready" ] && return 0
    echo "setup: creating the Wine prefix $WINEPREFIX"
    # Wine needs its display from the prefix's first process on.
    own_display
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    wineboot --init </dev/null >/dev/null 2>&1
    # Every process gets a 1024x768 virtual desktop: windows get their frames and exit codes stay.
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f </dev/null >/dev/null 2>&1
    wineserver -w
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    touch "$WINEPREFIX/.personal-wifi-ready"
}

install_packages
# Which Wine the tests use depends on what this machine can run, known once the packages are in.
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
[ "${1:-}" = --packages ] || create_prefix
