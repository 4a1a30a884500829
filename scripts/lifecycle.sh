# The virtual display and the warm Wine session of the scripts; sourced after env.sh, not executed.
# A script starts only what it does not find running and, at its exit, stops exactly what it
# started: the Wine session first, then the display its programs drew on. Other runs on the same
# machine keep theirs.
OWN_XVFB_PID=""
OWN_WINESERVER=0

display_answers() {
    [ -n "${DISPLAY:-}" ] && xdpyinfo -display "$DISPLAY" >/dev/null 2>&1
}

# Starts Xvfb on DISPLAY when one is named, else on the first free display number, which it
# reports itself when ready; exports DISPLAY and sets OWN_XVFB_PID. With "detached", the server
# outlives this script, away from its process group and from any pipe of a caller.
start_xvfb() {
    local number_file i
    number_file=$(mktemp)
    if [ -n "${DISPLAY:-}" ]; then
        ${1:+setsid} Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    else
        ${1:+setsid} Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number_file" </dev/null >/dev/null 2>&1 &
    fi
    OWN_XVFB_PID=$!
    for i in $(seq 100); do
        if [ -z "${DISPLAY:-}" ] && [ -s "$number_file" ]; then
            DISPLAY=:$(head -n 1 "$number_file")
        fi
        if display_answers; then
            rm -f "$number_file"
            export DISPLAY
            return 0
        fi
        kill -0 "$OWN_XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    rm -f "$number_file"
    echo "the virtual display ${DISPLAY:-} did not start" >&2
    kill "$OWN_XVFB_PID" 2>/dev/null || true
    OWN_XVFB_PID=""
    return 1
}

# A display for this script's Wine programs: the one set, or a virtual one of its own.
own_display() {
    display_answers && return 0
    start_xvfb || return 1
    echo "a virtual display $DISPLAY (1024x768) for this run"
}

# Starts the prefix's wineserver and Wine's services unless they run already. Wine's services
# keep the pipes they inherit, so every standard stream is on /dev/null: started from inside
# CTest, they would hold its pipes and stall it.
own_wine_session() {
    # A server that is already running refuses to start a second one and serves as well.
    if wineserver -p30 </dev/null >/dev/null 2>&1; then
        OWN_WINESERVER=1
    fi
    wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

stop_wine_session() {
    wineserver -k </dev/null >/dev/null 2>&1 || true
    wineserver -w </dev/null >/dev/null 2>&1 || true
}

stop_own() {
    if [ "$OWN_WINESERVER" = 1 ]; then
        stop_wine_session
        OWN_WINESERVER=0
    fi
    if [ -n "$OWN_XVFB_PID" ]; then
        kill "$OWN_XVFB_PID" 2>/dev/null || true
        wait "$OWN_XVFB_PID" 2>/dev/null || true
        OWN_XVFB_PID=""
    fi
}

trap stop_own EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
