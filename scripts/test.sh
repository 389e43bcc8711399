#!/usr/bin/env bash
# Sets up the machine, builds everything with warnings as errors and runs every test
# headless. Extra arguments go to ctest (e.g. -L engine).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
[ -x tests/tools/setup-node-reader.sh ] && tests/tools/setup-node-reader.sh || true
scripts/build.sh -DTARVELLO_WERROR=ON
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
cd "${TARVELLO_BUILD_DIR:-build}"
ctest --output-on-failure --timeout 600 "$@"
