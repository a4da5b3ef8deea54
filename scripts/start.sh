#!/usr/bin/env bash
# Installs the dependencies, builds, and starts Study Station.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
BUILD_DIR=${BUILD_DIR:-build}
if [ -x "$BUILD_DIR/bin/StudyStation" ]; then
  exec "$BUILD_DIR/bin/StudyStation" "$@"
fi
echo "start: the program is not built yet; running the tests of what exists so far"
exec bash scripts/test.sh
