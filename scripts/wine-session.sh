#!/usr/bin/env bash
# Starts or stops the warm Wine session that the tests, the benchmarks and the tool share.
# Usage: wine-session.sh start|stop [BUILD_DIR]
# Where no display answers, start gives the session a virtual display of its own, which stop ends
# again; the scripts that run CTest bring their own display, and CTest starts and stops the
# session around the tests.
[ -n "${2:-}" ] && BUILD_DIR=$2
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
source "$(dirname "${BASH_SOURCE[0]}")/lifecycle.sh"
session_xvfb=$BUILD_DIR/wine-session.xvfb

case "$1" in
start)
    if ! display_answers; then
        start_xvfb detached || exit 1
        echo "$OWN_XVFB_PID" >"$session_xvfb"
        echo "$DISPLAY" >"$SESSION_DISPLAY_FILE"
        OWN_XVFB_PID=""
    fi
    own_wine_session
    OWN_WINESERVER=0
    ;;
stop)
    stop_wine_session
    if [ -f "$session_xvfb" ]; then
        pid=$(cat "$session_xvfb")
        [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = Xvfb ] && kill "$pid"
        rm -f "$session_xvfb" "$SESSION_DISPLAY_FILE"
    fi
    ;;
esac
exit 0
