# Shared settings of the build and of every Wine run; sourced, not executed.
# Safe to source more than once.
REPO_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$REPO_DIR/build}
export WINEPREFIX=${WINEPREFIX:-$BUILD_DIR/wineprefix}
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
# Code page 936, so that the GBK texts are read as on the users' systems.
{ export LC_ALL=zh_CN.UTF-8; } 2>/dev/null
# The virtual X display the tool and the tests draw on when no display is set.
XVFB_DISPLAY=${XVFB_DISPLAY:-:77}
export DISPLAY=${DISPLAY:-$XVFB_DISPLAY}
