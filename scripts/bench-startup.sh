#!/usr/bin/env bash
# Prints how long the tool takes from its start to a visible window, beside the same figure for a
# minimal Win32 program that opens one empty window (same toolchain, same Wine, same run), and the
# size of the tool's executable.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/setup.sh
source scripts/env.sh
source scripts/lifecycle.sh
cmake --preset "$TEST_PRESET" >/dev/null
cmake --build --preset "$TEST_PRESET" -j "$(nproc)" --target personal-wifi empty_window startup_timer >/dev/null
RUNS=${RUNS:-15}
own_display
own_wine_session

tool=$(winepath -w "$BUILD_DIR/personal-wifi.exe" 2>/dev/null)
empty=$(winepath -w "$BUILD_DIR/benchmarks/empty_window.exe" 2>/dev/null)
results=$(wine "$BUILD_DIR/benchmarks/startup_timer.exe" "$RUNS" "$tool" "$empty" </dev/null | tr -d '\r')
tool_ms=$(echo "$results" | sed -n 1p | cut -f2)
tool_best=$(echo "$results" | sed -n 1p | cut -f3)
empty_ms=$(echo "$results" | sed -n 2p | cut -f2)
empty_best=$(echo "$results" | sed -n 2p | cut -f3)
size=$(stat -c %s "$BUILD_DIR/personal-wifi.exe")
empty_size=$(stat -c %s "$BUILD_DIR/benchmarks/empty_window.exe")

echo "start to visible window, median of $RUNS runs under Wine (fastest in brackets):"
printf '  personal-wifi.exe   %7.1f ms  (%.1f ms)\n' "$tool_ms" "$tool_best"
printf '  empty window        %7.1f ms  (%.1f ms)\n' "$empty_ms" "$empty_best"
awk -v a="$tool_ms" -v b="$empty_ms" 'BEGIN { printf "  ratio               %7.2f\n", a / b }'
awk -v s="$size" -v e="$empty_size" \
    'BEGIN { printf "executable size: personal-wifi.exe %d bytes (%.0f KiB); empty window %d bytes\n", s, s / 1024, e }'
echo "DLLs it imports: $(i686-w64-mingw32-objdump -p "$BUILD_DIR/personal-wifi.exe" | sed -n 's/^\s*DLL Name: //p' | tr '\n' ' ')"
