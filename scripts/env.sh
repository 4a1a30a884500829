# Shared settings of the build and of every Wine run; sourced, not executed, after set-up has
# installed the packages. Safe to source more than once.
REPO_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# The tool ships as a 32-bit program, and the tests run it as one where this machine can run
# 32-bit programs. Some sandboxes cannot (no 32-bit system calls, so no 32-bit Wine): there the
# same sources are built and tested as 64-bit programs under 64-bit Wine. TEST_ARCH overrides.
if [ -z "${TEST_ARCH:-}" ]; then
    if /lib/ld-linux.so.2 --version >/dev/null 2>&1; then TEST_ARCH=i686; else TEST_ARCH=x86_64; fi
fi
if [ "$TEST_ARCH" = i686 ]; then
    TEST_PRESET=ci
    BUILD_DIR=${BUILD_DIR:-$REPO_DIR/build}
    export WINEARCH=win32
    WINE_LOADER=wine
else
    TEST_PRESET=ci-x64
    BUILD_DIR=${BUILD_DIR:-$REPO_DIR/build-x64}
    export WINEARCH=win64
    # Debian's wine script would pick the 32-bit loader whenever it is installed.
    WINE_LOADER=/usr/lib/wine/wine64
    export WINELOADER=$WINE_LOADER
fi
# Wine runs in code page 936, so that the GBK texts are read as on the users' systems. The locale
# is given to Wine alone: it need not exist for the shell, which would warn about it.
WINE_LOCALE=${WINE_LOCALE:-zh_CN.UTF-8}
BASE_WINEPREFIX=${WINEPREFIX:-$BUILD_DIR/wineprefix}
BASE_WINEPREFIX=${BASE_WINEPREFIX%-dpi*}
BASE_WINEPREFIX=${BASE_WINEPREFIX%-en_US}
BASE_WINEPREFIX=${BASE_WINEPREFIX%-zh_TW}
export WINEPREFIX=$BASE_WINEPREFIX
# A display scale other than 100 % (WINE_SCALE in DPI: 120, 144, 192) runs in a copy of the prefix
# whose LogPixels says so. Another code page at 100 % runs in a copy of its own as well: Wine
# rewrites a prefix's font links whenever a process starts under another code page than the last.
if [ -n "${WINE_SCALE:-}" ] && [ "$WINE_SCALE" != 96 ]; then
    export WINEPREFIX=$BASE_WINEPREFIX-dpi$WINE_SCALE
elif [ "$WINE_LOCALE" != zh_CN.UTF-8 ]; then
    export WINEPREFIX=$BASE_WINEPREFIX-${WINE_LOCALE%%.*}
fi
export WINEDEBUG=${WINEDEBUG:--all}
# WINE_NATIVE_TOOLS (e.g. netsh.exe,cmd.exe): tools of the system folder that a test replaces by
# its stand-ins; Wine runs its built-in ones otherwise.
export WINEDLLOVERRIDES="mscoree,mshtml=${WINE_NATIVE_TOOLS:+;$WINE_NATIVE_TOOLS=n}"
wine() { env LC_ALL=$WINE_LOCALE "$WINE_LOADER" "$@"; }
wineboot() { env LC_ALL=$WINE_LOCALE "$WINE_LOADER" wineboot "$@"; }
# The X display the tool and the tests draw on: the one set, else the virtual one named by
# XVFB_DISPLAY, else that of a session started by wine-session.sh. With none of them, the scripts
# start a virtual display on a free number.
SESSION_DISPLAY_FILE=$BUILD_DIR/wine-session.display
DISPLAY=${DISPLAY:-${XVFB_DISPLAY:-}}
if [ -z "$DISPLAY" ] && [ -f "$SESSION_DISPLAY_FILE" ]; then
    DISPLAY=$(cat "$SESSION_DISPLAY_FILE")
fi
if [ -n "$DISPLAY" ]; then export DISPLAY; else unset DISPLAY; fi
