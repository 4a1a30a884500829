#!/usr/bin/env bash
# Starts or stops the warm Wine session that the tests, the benchmarks and the tool share.
# Usage: wine-session.sh start|stop [BUILD_DIR]
# Wine's services keep the pipes they inherit, so they are started here with every standard
# stream on /dev/null; started from inside CTest, they would hold its pipes and stall it.
[ -n "${2:-}" ] && BUILD_DIR=$2
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
case "$1" in
start)
    # A server that is already running refuses to start a second one and serves as well.
    wineserver -p30 </dev/null >/dev/null 2>&1
    wine cmd /c exit </dev/null >/dev/null 2>&1
    ;;
stop)
    wineserver -k </dev/null >/dev/null 2>&1
    ;;
esac
exit 0
