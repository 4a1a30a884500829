#!/usr/bin/env bash
# Sets up this machine when needed, builds everything with warnings as errors, and runs every
# test under Wine, on a virtual display of its own unless one is set.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/env.sh
scripts/setup.sh
source scripts/lifecycle.sh
cmake --preset ci >/dev/null
cmake --build --preset ci -j "$(nproc)"
own_display
# Wine's services start now, not inside CTest, whose pipes they would hold open.
own_wine_session
ctest --preset ci -j 2 "$@"
