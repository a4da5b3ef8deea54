#!/usr/bin/env bash
# Runs a GUI test binary on a display of its own (a fresh Xvfb per call).
# Listing the tests needs no display, so that is run directly.
for arg in "$@"; do
  case "$arg" in --gtest_list_tests*) exec "$@" ;; esac
done
export GDK_BACKEND=x11 NO_AT_BRIDGE=1 QT_QPA_PLATFORM=offscreen
exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$@"
