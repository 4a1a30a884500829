# Shared settings of the build and of every Wine run; sourced, not executed.
# Safe to source more than once.
REPO_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$REPO_DIR/build}
export WINEPREFIX=${WINEPREFIX:-$BUILD_DIR/wineprefix}
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
# WINE_NATIVE_TOOLS (e.g. netsh.exe,cmd.exe): tools of the system folder that a test replaces by
# its stand-ins; Wine runs its built-in ones otherwise.
export WINEDLLOVERRIDES="mscoree,mshtml=${WINE_NATIVE_TOOLS:+;$WINE_NATIVE_TOOLS=n}"
# Wine runs in code page 936, so that the GBK texts are read as on the users' systems. The locale
# is given to Wine alone: it need not exist for the shell, which would warn about it.
WINE_LOCALE=${WINE_LOCALE:-zh_CN.UTF-8}
wine() { env LC_ALL=$WINE_LOCALE wine "$@"; }
wineboot() { env LC_ALL=$WINE_LOCALE wineboot "$@"; }
# The virtual X display the tool and the tests draw on when no display is set.
XVFB_DISPLAY=${XVFB_DISPLAY:-:77}
export DISPLAY=${DISPLAY:-$XVFB_DISPLAY}
