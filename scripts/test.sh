#!/usr/bin/env bash
# Sets up this machine when needed, builds everything with warnings as errors, and runs every
# test under Wine.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/setup.sh
source scripts/env.sh
if [ "$TEST_PRESET" != ci ]; then
    # The 32-bit build is still what ships: it must build, with warnings as errors.
    cmake --preset ci >/dev/null
    cmake --build --preset ci -j "$(nproc)"
fi
cmake --preset "$TEST_PRESET" >/dev/null
cmake --build --preset "$TEST_PRESET" -j "$(nproc)"
# Wine's services start now, not inside CTest, whose pipes they would hold open.
scripts/wine-session.sh start
ctest --preset "$TEST_PRESET" -j 2 "$@"
