#!/usr/bin/env bash
# Takes the README's screenshot of the cloud panel's first page: the demo under
# a private Xvfb display, the program's window captured by its title.
#   bash scripts/screenshot.sh [output.png]   (default docs/images/cloud-panel-first-page.png)
set -euo pipefail
cd "$(dirname "$0")/.."
OUT=${1:-docs/images/cloud-panel-first-page.png}
mkdir -p "$(dirname "$OUT")"
if [ -z "${SCREENSHOT_INNER:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" env SCREENSHOT_INNER=1 bash "$0" "$OUT"
fi
export GDK_BACKEND=x11 NO_AT_BRIDGE=1 QT_QPA_PLATFORM=offscreen
# A home of its own, so the shot shows a first start and leaves the user's files alone.
HOME=$(mktemp -d /tmp/studystation-shot-XXXXXX)
export HOME XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share"
DEMO_SKIP_BUILD=1 bash scripts/demo.sh >"$HOME/demo.log" 2>&1 &
demo=$!
TITLE="Orbisk Study Station.vt6"
for _ in $(seq 1 150); do
  if xwininfo -root -tree 2>/dev/null | grep -q "\"$TITLE\""; then break; fi
  sleep 0.2
done
sleep 1.5  # let the window draw itself completely
status=0
import -window "$TITLE" "$OUT" || status=$?
kill "$demo" 2>/dev/null || true
wait "$demo" 2>/dev/null || true
if [ $status -ne 0 ]; then cat "$HOME/demo.log" >&2; fi
rm -rf "$HOME"
[ $status -eq 0 ] && echo "screenshot: $OUT"
exit $status
