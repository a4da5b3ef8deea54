#!/usr/bin/env bash
# Runs a GUI test binary on an X display of its own: a fresh Xvfb per call, so
# tests that move the pointer or the keyboard focus never share a display, even
# under ctest -j. Xvfb picks the free display number itself (-displayfd), which
# leaves no race between parallel starts. Listing the tests needs no display.
for arg in "$@"; do
  case "$arg" in --gtest_list_tests*) exec "$@" ;; esac
done

displayfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -nolisten unix-abstract 3>"$displayfile" \
  </dev/null >/dev/null 2>&1 &
xvfb=$!
stop_xvfb() { kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -f "$displayfile"; }
trap stop_xvfb EXIT
trap 'exit 143' TERM INT

for _ in $(seq 1 500); do
  [ -s "$displayfile" ] && break
  kill -0 "$xvfb" 2>/dev/null || { echo "Xvfb did not start" >&2; exit 2; }
  sleep 0.01
done
display=$(tr -dc '0-9' <"$displayfile")
[ -n "$display" ] || { echo "Xvfb gave no display number" >&2; exit 2; }

export DISPLAY=":$display" GDK_BACKEND=x11 NO_AT_BRIDGE=1 QT_QPA_PLATFORM=offscreen
echo "(on Xvfb display $DISPLAY)"
"$@"
