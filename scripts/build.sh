#!/usr/bin/env bash
# Configures and builds everything into build/ (the program folder is build/app/).
# Extra arguments go to the CMake configure step, e.g. -DTARVELLO_SANITIZE=ON.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${TARVELLO_BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja "$@"
cmake --build "$build_dir"
