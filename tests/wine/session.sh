#!/usr/bin/env bash
# Starts or stops the Wine session the tests share. Wine's services keep the pipes they inherit,
# so they are started here with every standard stream on /dev/null, or CTest would wait on them.
BUILD_DIR=$2
source "$(dirname "$0")/../../scripts/env.sh"
case "$1" in
start)
    wineserver -p30 </dev/null >/dev/null 2>&1
    wine cmd /c exit </dev/null >/dev/null 2>&1
    ;;
stop)
    wineserver -k </dev/null >/dev/null 2>&1
    exit 0
    ;;
esac
