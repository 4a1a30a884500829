#!/usr/bin/env bash
# Prepares this machine for building and running the tool under Wine: Debian packages and the
# project's own Wine prefix. Safe to run again. With --packages, only the packages: enough to build.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lifecycle.sh"

PACKAGES=(cmake make git python3 g++-mingw-w64-i686 mingw-w64-i686-dev g++-mingw-w64-x86-64 googletest
          wine wine32:i386 wine64 xvfb x11-utils xdotool imagemagick
          fonts-wqy-microhei fonts-wine locales)

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

# Wine maps Unix file names to Windows ones through the glibc locale: without the locales that
# the code-page runs use, a folder with a Chinese name reaches Windows programs mangled.
generate_locales() {
    local sudo="" name
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    for name in zh_CN en_US zh_TW; do
        locale -a 2>/dev/null | grep -qix "$name.utf-\?8" && continue
        echo "setup: generating the locale $name.UTF-8"
        $sudo localedef -i "$name" -f UTF-8 "$name.UTF-8"
    done
}

# Windows links its CJK fonts to the UI fonts whatever the locale; Wine does so only under a
# Chinese one. Without the links, Chinese captions draw as boxes under code page 1252.
link_cjk_fonts() {
    [ -f "$WINEPREFIX/.personal-wifi-fontlinks" ] && return 0
    own_display
    "$(dirname "${BASH_SOURCE[0]}")/link-fonts.sh"
    wineserver -w
    touch "$WINEPREFIX/.personal-wifi-fontlinks"
}

# The display scales other than 100 % each get a copy of the prefix whose LogPixels says so, so
# that runs at every scale can go side by side.
create_scale_prefixes() {
    local dpi scaled
    for dpi in 120 144 192; do
        scaled=${WINEPREFIX%-dpi*}-dpi$dpi
        [ -f "$scaled/.personal-wifi-dpi" ] && continue
        echo "setup: creating the Wine prefix $scaled"
        own_display
        rm -rf "$scaled"
        cp -a "$WINEPREFIX" "$scaled"
        WINEPREFIX=$scaled wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
            </dev/null >/dev/null 2>&1
        WINEPREFIX=$scaled wineserver -w
        touch "$scaled/.personal-wifi-dpi"
    done
}

# The code pages other than 936 at 100 % each get a copy of the prefix: see env.sh.
create_codepage_prefixes() {
    local locale copy
    for locale in en_US zh_TW; do
        copy=$BASE_WINEPREFIX-$locale
        [ -f "$copy/.personal-wifi-codepage" ] && continue
        echo "setup: creating the Wine prefix $copy"
        rm -rf "$copy"
        cp -a "$BASE_WINEPREFIX" "$copy"
        touch "$copy/.personal-wifi-codepage"
    done
}

install_packages
# Which Wine the tests use depends on what this machine can run, known once the packages are in.
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
# Set-up makes the prefix of the default configuration and the copies from it, whatever this run
# was asked to use.
export WINEPREFIX=$BASE_WINEPREFIX
if [ "${1:-}" != --packages ]; then
    generate_locales
    create_prefix
    link_cjk_fonts
    create_scale_prefixes
    create_codepage_prefixes
fi
