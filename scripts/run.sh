#!/usr/bin/env bash
# Sets up this machine when needed, builds the tool and runs it under Wine. With no display set,
# the tool runs on a virtual one: the script saves a screenshot of its window, says where, and
# closes the tool again with Esc.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
headless=0
[ -n "${DISPLAY:-}" ] || headless=1
scripts/setup.sh
source scripts/env.sh
source scripts/lifecycle.sh
cmake --preset "$TEST_PRESET" >/dev/null
cmake --build --preset "$TEST_PRESET" -j "$(nproc)" --target personal-wifi >/dev/null
tool="$BUILD_DIR/personal-wifi.exe"

if [ "$headless" -eq 0 ]; then
    wine "$tool"
    exit $?
fi

# On the virtual display, the picture of the window at 100 % under code page 936.
DPI=96 LOCALE=$WINE_LOCALE exec scripts/screenshot.sh "${SCREENSHOT:-$BUILD_DIR/screenshot.png}"
