#!/usr/bin/env bash
# Installs the npm package mdb-reader, an independent Access reader that the tools tests
# use to cross-check the databases our Jet writer produces, into tests/tools/node_modules.
# Optional: without Node/npm or without access to the npm registry it installs nothing,
# says so, and exits 0; the tests that need the package then skip with a message.
set -uo pipefail
[[ $0 == */* ]] && cd "${0%/*}"

if ! command -v node >/dev/null 2>&1 || ! command -v npm >/dev/null 2>&1; then
  echo "setup-node-reader: Node.js or npm not found; the mdb-reader cross-check will be skipped"
  exit 0
fi
wanted=$(node -p 'require("./package-lock.json").packages["node_modules/mdb-reader"].version' 2>/dev/null)
have=$(node -p 'require("./node_modules/mdb-reader/package.json").version' 2>/dev/null)
if [ -n "$wanted" ] && [ "$wanted" = "$have" ]; then
  exit 0
fi
if ! timeout 300 npm ci --no-audit --no-fund --loglevel=error; then
  echo "setup-node-reader: npm could not install mdb-reader; the mdb-reader cross-check will be skipped"
  rm -rf node_modules
fi
exit 0
