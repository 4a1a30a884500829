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

screenshot=${SCREENSHOT:-$BUILD_DIR/screenshot.png}
own_display
own_wine_session
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

# The 1024x768 virtual desktop centres the 283x86 window.
convert "$shot" -crop "283x86+$(((1024 - 283) / 2))+$(((768 - 86) / 2))" +repage "$screenshot"
rm -f "$before" "$shot"
echo "screenshot of the window: $screenshot"

xdotool key Escape
status=0
wait "$pid" || status=$?
echo "the tool ended with exit code $status"
