#!/usr/bin/env bash
# Starts the local doubles of the cloud service (HTTPS) and of the mail relay
# (SMTP with STARTTLS) on 127.0.0.1 for a manual run of Study Station.
#
#   scripts/start-doubles.sh [--package FILE] [--state DIR] [-- COMMAND ARGS...]
#
# The cloud double holds the demo experiment 12345678 (task code 15386598);
# --package gives it a package file (a .tar.gz of the experiment folder).
# Without a command the script prints the environment to use (also written to
# <state>/env.sh) and keeps the doubles running until Ctrl-C. With a command
# it runs the command with that environment and stops the doubles after it.
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGE=
STATE=
while [ $# -gt 0 ]; do
  case "$1" in
    --package) PACKAGE=$(realpath "$2"); shift 2 ;;
    --state) STATE=$2; shift 2 ;;
    --) shift; break ;;
    -h|--help) sed -n '2,12p' "$0"; exit 0 ;;
    *) echo "start-doubles: unknown option $1" >&2; exit 2 ;;
  esac
done
STATE=${STATE:-$(mktemp -d /tmp/studystation-doubles-XXXXXX)}
mkdir -p "$STATE"
STATE=$(realpath "$STATE")
# A state folder used before still holds the ready files of doubles that are gone:
# remove them, so that only the new doubles' own announcements are waited for.
rm -f "$STATE/cloud/cloud.ready.json" "$STATE/smtp/smtp.ready.json"
PYTHON=/usr/bin/python3   # Debian's python: the one that has aiosmtpd

cloud_args=(--state "$STATE/cloud" --seed-demo)
[ -n "$PACKAGE" ] && cloud_args+=(--demo-package "$PACKAGE")
"$PYTHON" tests/doubles/cloud_service_double.py "${cloud_args[@]}" >"$STATE/cloud.out" 2>&1 &
CLOUD_PID=$!
"$PYTHON" tests/doubles/smtp_relay_double.py --state "$STATE/smtp" >"$STATE/smtp.out" 2>&1 &
SMTP_PID=$!
stop() { kill "$CLOUD_PID" "$SMTP_PID" 2>/dev/null || true; wait 2>/dev/null || true; }
trap stop EXIT
trap 'exit 130' INT TERM

ready_port() {  # file -> port, waiting up to 20 s
  for _ in $(seq 200); do
    if [ -s "$1" ]; then
      "$PYTHON" -c 'import json,sys; print(json.load(open(sys.argv[1]))["port"])' "$1"
      return 0
    fi
    sleep 0.1
  done
  echo "start-doubles: no ready file $1; see $STATE/*.out" >&2
  return 1
}
CLOUD_PORT=$(ready_port "$STATE/cloud/cloud.ready.json")
SMTP_PORT=$(ready_port "$STATE/smtp/smtp.ready.json")
cat "$STATE/cloud/ca.pem" "$STATE/smtp/certificates/ca.pem" >"$STATE/trusted-authorities.pem"

cat >"$STATE/env.sh" <<ENV
export VANTREL_CLOUD_HOST=127.0.0.1:$CLOUD_PORT
export VANTREL_CA_BUNDLE=$STATE/trusted-authorities.pem
export VANTREL_MAIL_RELAY=127.0.0.1:$SMTP_PORT
export VANTREL_MAIL_CREDENTIALS_URL=https://127.0.0.1:$CLOUD_PORT/mail/relay-login.txt
export VANTREL_MAIL_SENDER=studystation@example.test
ENV
# shellcheck disable=SC1091
. "$STATE/env.sh"

if [ $# -gt 0 ]; then
  "$@"
  exit $?
fi

echo "Cloud service double: https://127.0.0.1:$CLOUD_PORT/api/  (task code 15386598)"
echo "Mail relay double:    smtp://127.0.0.1:$SMTP_PORT  (messages in $STATE/smtp/messages)"
echo "Requests are logged in $STATE/cloud/requests.jsonl; switches go in $STATE/cloud/switches.json."
echo "In another shell:  . $STATE/env.sh && build/bin/StudyStation"
echo "Press Ctrl-C to stop the doubles."
while kill -0 "$CLOUD_PID" 2>/dev/null && kill -0 "$SMTP_PID" 2>/dev/null; do sleep 1; done
