#!/usr/bin/env bash
# Runs the panel benchmarks of a build tree (default ./build); GUI ones on Xvfb.
set -euo pipefail
cd "$(dirname "$0")/../.."
BIN=${BUILD_DIR:-build}/bin
"$BIN/PanelDownloadBench"
export GDK_BACKEND=x11 NO_AT_BRIDGE=1 QT_QPA_PLATFORM=offscreen
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$BIN/PanelStallBench"
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$BIN/PanelIdleCpuBench"
