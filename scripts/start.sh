#!/usr/bin/env bash
# Sets up the machine, builds Tarvello and starts it from the assembled program folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
exec "${TARVELLO_BUILD_DIR:-build}/app/tarvello"
