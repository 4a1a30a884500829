#!/usr/bin/env bash
# Prepares this machine for building and running the tool under Wine: Debian packages, a virtual
# X display when none is set, and the project's own Wine prefix. Safe to run again.
set -euo pipefail

PACKAGES=(cmake make python3 g++-mingw-w64-i686 mingw-w64-i686-dev g++-mingw-w64-x86-64 googletest
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

start_display() {
    [ "$DISPLAY" = "$XVFB_DISPLAY" ] || return 0
    xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 && return 0
    echo "setup: starting a virtual display $DISPLAY (1024x768)"
    nohup Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    local i
    for i in $(seq 50); do
        xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "setup: the virtual display did not start" >&2
    return 1
}

create_prefix() {
    [ -f "$WINEPREFIX/.personal-wifi-ready" ] && return 0
    echo "setup: creating the Wine prefix $WINEPREFIX"
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
start_display
create_prefix
