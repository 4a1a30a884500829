# Shared settings of the build and of every Wine run; sourced, not executed.
# Safe to source more than once.
REPO_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$REPO_DIR/build}
export WINEPREFIX=${WINEPREFIX:-$BUILD_DIR/wineprefix}
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
# Wine runs in code page 936, so that the GBK texts are read as on the users' systems. The locale
# is given to Wine alone: it need not exist for the shell, which would warn about it.
WINE_LOCALE=${WINE_LOCALE:-zh_CN.UTF-8}
wine() { env LC_ALL=$WINE_LOCALE wine "$@"; }
wineboot() { env LC_ALL=$WINE_LOCALE wineboot "$@"; }
# The X display the tool and the tests draw on: the one set, else the virtual one named by
# XVFB_DISPLAY, else that of a session started by wine-session.sh. With none of them, the scripts
# start a virtual display on a free number.
SESSION_DISPLAY_FILE=$BUILD_DIR/wine-session.display
DISPLAY=${DISPLAY:-${XVFB_DISPLAY:-}}
if [ -z "$DISPLAY" ] && [ -f "$SESSION_DISPLAY_FILE" ]; then
    DISPLAY=$(cat "$SESSION_DISPLAY_FILE")
fi
if [ -n "$DISPLAY" ]; then export DISPLAY; else unset DISPLAY; fi
