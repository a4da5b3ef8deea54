#!/usr/bin/env bash
# The participant's whole road on this machine: starts the local doubles of the
# cloud service (with a sample experiment: a few trials of text, a picture, a sound
# and a short film) and of the mail relay, then Study Station pointed at them. Type
# the task code that it prints, go through the steps, and the data lands at the double.
#
#   bash scripts/demo.sh            install, build what the demo runs, start the demo
#   DEMO_SKIP_BUILD=1 bash scripts/demo.sh    use the build that is there
#   DEMO_SERVICES_ONLY=1 ...        start the doubles and print their settings only
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD_DIR=${BUILD_DIR:-build}
# What the demo runs: the program, with the event-type plug-ins it depends on, and
# the input plug-in it loads. The test suites are left for scripts/test.sh.
DEMO_TARGETS=(StudyStation QNodeInputPlugIn)
if [ "${DEMO_SKIP_BUILD:-0}" != 1 ]; then
  bash scripts/install-deps.sh
  bash scripts/build.sh "${DEMO_TARGETS[@]}"
fi
PROGRAM="$ROOT/$BUILD_DIR/bin/StudyStation"
PYTHON=/usr/bin/python3
TASK_CODE=15386598

WORK=$(mktemp -d /tmp/studystation-demo-XXXXXX)
PIDS=()
cleanup() {
  for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$WORK"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

wait_for_file() {
  for _ in $(seq 1 200); do
    [ -s "$1" ] && return 0
    sleep 0.1
  done
  echo "demo: $2 did not start; its log:" >&2
  cat "$3" >&2 || true
  exit 1
}
json_field() { "$PYTHON" -c 'import json,sys; print(json.load(open(sys.argv[1]))[sys.argv[2]])' "$1" "$2"; }

# The experiment package, as a researcher's authoring program would upload it.
tar -C "$ROOT/scripts/demo" -czf "$WORK/package.tar.gz" "Sample Task"

"$PYTHON" "$ROOT/tests/doubles/cloud_service_double.py" --state "$WORK/cloud" --seed-demo \
  --demo-package "$WORK/package.tar.gz" >"$WORK/cloud.log" 2>&1 &
PIDS+=($!)
wait_for_file "$WORK/cloud/cloud.ready.json" "the cloud-service double" "$WORK/cloud.log"
CLOUD_PORT=$(json_field "$WORK/cloud/cloud.ready.json" port)

"$PYTHON" "$ROOT/tests/doubles/smtp_relay_double.py" --state "$WORK/smtp" --cert "$WORK/cloud/server.pem" \
  --key "$WORK/cloud/server.key" --ca "$WORK/cloud/ca.pem" >"$WORK/smtp.log" 2>&1 &
PIDS+=($!)
wait_for_file "$WORK/smtp/smtp.ready.json" "the mail-relay double" "$WORK/smtp.log"
SMTP_PORT=$(json_field "$WORK/smtp/smtp.ready.json" port)

export VANTREL_CLOUD_HOST="127.0.0.1:$CLOUD_PORT"
export VANTREL_CA_BUNDLE="$WORK/cloud/ca.pem"
export VANTREL_MAIL_RELAY="127.0.0.1:$SMTP_PORT"
export VANTREL_MAIL_CREDENTIALS_URL="https://127.0.0.1:$CLOUD_PORT/mail/relay-login.txt"
export VANTREL_MAIL_SENDER="studystation@example.test"

cat <<BANNER

  Study Station demo
  ------------------
  Cloud service double:  https://127.0.0.1:$CLOUD_PORT/api/  (state in $WORK/cloud)
  Mail relay double:     127.0.0.1:$SMTP_PORT
  Task code to type:     $TASK_CODE

  Name and e-mail are optional. The run takes about 12 seconds; Escape cancels it.
  Uploaded data files:   $WORK/cloud/experiments/12345678/results/

BANNER

if [ "${DEMO_SERVICES_ONLY:-0}" = 1 ]; then
  echo "VANTREL_CLOUD_HOST=$VANTREL_CLOUD_HOST VANTREL_CA_BUNDLE=$VANTREL_CA_BUNDLE"
  echo "VANTREL_MAIL_RELAY=$VANTREL_MAIL_RELAY VANTREL_MAIL_CREDENTIALS_URL=$VANTREL_MAIL_CREDENTIALS_URL"
  echo "Press Ctrl+C to stop the doubles."
  wait
  exit 0
fi
if [ -z "${DISPLAY:-}" ]; then
  echo "demo: no display. Run it in a desktop session (or: xvfb-run -a bash scripts/demo.sh)." >&2
  exit 1
fi
status=0
"$PROGRAM" "$@" || status=$?
results="$WORK/cloud/experiments/12345678/results"
if [ -d "$results" ] && [ -n "$(ls -A "$results")" ]; then
  echo "demo: the service received:"; ls -l "$results"
fi
exit $status
