#!/usr/bin/env bash
# Sets up this machine when needed, builds everything with warnings as errors, and runs every
# test under Wine, on a virtual display of its own unless one is set.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/setup.sh
source scripts/env.sh
source scripts/lifecycle.sh
if [ "$TEST_PRESET" != ci ]; then
    # The 32-bit build is still what ships: it must build, with warnings as errors.
    cmake --preset ci >/dev/null
    cmake --build --preset ci -j "$(nproc)"
fi
cmake --preset "$TEST_PRESET" >/dev/null
cmake --build --preset "$TEST_PRESET" -j "$(nproc)"
own_display
# Wine's services start now, not inside CTest, whose pipes they would hold open.
own_wine_session
ctest --preset "$TEST_PRESET" -j 2 "$@"
