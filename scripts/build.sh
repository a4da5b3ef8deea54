#!/usr/bin/env bash
# Configures and builds Study Station into ./build (Ninja, all cores): everything,
# or, given target names, only those and what they need.
#
#   bash scripts/build.sh                          every program, plug-in and test
#   bash scripts/build.sh StudyStation ...         those targets only
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
targets=()
for target in "$@"; do targets+=(--target "$target"); done
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-Release}" >/dev/null
cmake --build "$BUILD_DIR" -j "$(nproc)" "${targets[@]}"
