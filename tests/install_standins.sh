#!/usr/bin/env bash
# Puts the test programs that stand in for the system's tools where those tools live, in the
# prefix's system folder: process creation starts nothing from anywhere else. Wine still runs its
# own built-in tool of a name unless WINEDLLOVERRIDES names that tool native, so each test chooses
# which stand-ins it meets. Usage: install_standins.sh BUILD_DIR FILE AS.exe [FILE AS.exe]...
set -eu
BUILD_DIR=$1
shift
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/env.sh"
system32=$WINEPREFIX/drive_c/windows/system32
[ -d "$system32" ] || { echo "no system folder in $WINEPREFIX"; exit 1; }
while [ $# -ge 2 ]; do
    cp -f "$1" "$system32/$2"
    shift 2
done
