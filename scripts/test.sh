#!/usr/bin/env bash
# Installs the dependencies, builds, and runs every test (GUI tests under Xvfb).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
BUILD_DIR=${BUILD_DIR:-build}
cd "$BUILD_DIR"
ctest --output-on-failure -j "$(nproc)" --label-summary --timeout 300 "$@"
