#!/usr/bin/env bash
# Sets up this machine when needed, builds everything with warnings as errors, and runs every
# test under Wine.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/env.sh
scripts/setup.sh
cmake --preset ci >/dev/null
cmake --build --preset ci -j "$(nproc)"
# Wine's services start now, not inside CTest, whose pipes they would hold open.
scripts/wine-session.sh start
ctest --preset ci -j 2 "$@"
