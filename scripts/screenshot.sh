#!/usr/bin/env bash
# Saves a screenshot of the tool's window at a display scale and under a system code page, on
# the virtual display: by default at 150 % (144 DPI) under code page 1252, as an English Windows
# shows it. Usage: screenshot.sh [OUTPUT.png]; DPI (96, 120, 144, 192) and LOCALE
# (zh_CN.UTF-8, en_US.UTF-8, zh_TW.UTF-8) choose another configuration.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/setup.sh
# The crop expects Wine's 1024x768 desktop at the corner of the screen: a virtual display, the one
# XVFB_DISPLAY names or one of this script's own.
DISPLAY=${XVFB_DISPLAY:-}
export WINE_SCALE=${DPI:-144}
export WINE_LOCALE=${LOCALE:-en_US.UTF-8}
source scripts/env.sh
source scripts/lifecycle.sh
cmake --preset "$TEST_PRESET" >/dev/null
cmake --build --preset "$TEST_PRESET" -j "$(nproc)" --target personal-wifi >/dev/null
tool="$BUILD_DIR/personal-wifi.exe"
screenshot=${1:-$BUILD_DIR/screenshot-$WINE_SCALE-dpi.png}

own_display
own_wine_session
scripts/link-fonts.sh
before=$(mktemp --suffix=.png)
shot=$(mktemp --suffix=.png)
import -window root "$before"
wine "$tool" </dev/null >/dev/null 2>&1 &
pid=$!

# The window is up once the screen has changed and then stays the same for a moment.
previous=""
for _ in $(seq 100); do
    sleep 0.2
    import -window root "$shot"
    now=$(md5sum <"$shot")
    if ! cmp -s "$before" "$shot" && [ "$now" = "$previous" ]; then
        break
    fi
    previous=$now
done

# The window's 283x86 at 96 DPI, in proportion, centred on the 1024x768 desktop.
width=$(((283 * WINE_SCALE + 48) / 96))
height=$(((86 * WINE_SCALE + 48) / 96))
convert "$shot" -crop "${width}x${height}+$(((1024 - width) / 2))+$(((768 - height) / 2))" +repage "$screenshot"
rm -f "$before" "$shot"
echo "screenshot of the window at $WINE_SCALE DPI under $WINE_LOCALE: $screenshot"

xdotool key Escape
status=0
wait "$pid" || status=$?
echo "the tool ended with exit code $status"
