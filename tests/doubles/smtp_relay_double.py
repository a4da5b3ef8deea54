#!/usr/bin/python3
"""SMTP relay double for the fallback e-mail, for tests and manual runs.

Listens on a free port of 127.0.0.1, offers STARTTLS and requires it (unless
--no-starttls), requires AUTH (PLAIN or LOGIN) with the given user and
password, and stores every accepted message in the state folder:
  smtp.ready.json        {"port", "pid", "ca", "cert", "key", "starttls"}
  messages/<n>.eml       the message as received
  messages/<n>.json      {"mail_from", "rcpt_tos", "headers": [[name, value], ...],
                          "parts": [{"content_type", "filename", "data_b64"}]}
  smtp_events.jsonl      one line per AUTH attempt: {"login", "success"}
Runs under Debian's /usr/bin/python3 (python3-aiosmtpd).
"""

import argparse
import base64
import email
import email.policy
import json
import os
import sys
import threading
import time
import ssl

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import cloud_double_support as support  # noqa: E402

from aiosmtpd.controller import Controller  # noqa: E402
from aiosmtpd.smtp import AuthResult, LoginPassword  # noqa: E402


class StoringHandler:
    def __init__(self, folder):
        self.folder = os.path.join(folder, "messages")
        os.makedirs(self.folder, exist_ok=True)
        self.lock = threading.Lock()
        self.count = 0

    async def handle_DATA(self, server, session, envelope):
        raw = envelope.original_content or envelope.content
        if isinstance(raw, str):
            raw = raw.encode("utf-8", "surrogateescape")
        message = email.message_from_bytes(raw, policy=email.policy.compat32)
        parts = []
        for part in (message.walk() if message.is_multipart() else [message]):
            if part.is_multipart():
                continue
            parts.append({
                "content_type": part.get_content_type(),
                "filename": part.get_filename(),
                "data_b64": base64.b64encode(part.get_payload(decode=True) or b"").decode(),
            })
        with self.lock:
            self.count += 1
            number = self.count
        base = os.path.join(self.folder, str(number))
        with open(base + ".eml", "wb") as out:
            out.write(raw)
        summary = {
            "mail_from": envelope.mail_from,
            "rcpt_tos": list(envelope.rcpt_tos),
            "headers": [[k, str(v)] for k, v in message.items()],
            "parts": parts,
        }
        with open(base + ".json.tmp", "w") as out:
            json.dump(summary, out)
        os.replace(base + ".json.tmp", base + ".json")
        return "250 Message accepted for delivery"


class Authenticator:
    def __init__(self, folder, user, password):
        self.events = os.path.join(folder, "smtp_events.jsonl")
        self.user = user.encode()
        self.password = password.encode()

    def __call__(self, server, session, envelope, mechanism, auth_data):
        ok = (isinstance(auth_data, LoginPassword) and auth_data.login == self.user
              and auth_data.password == self.password)
        login = auth_data.login.decode("utf-8", "replace") if isinstance(auth_data, LoginPassword) else ""
        with open(self.events, "a") as out:
            out.write(json.dumps({"login": login, "success": ok, "time": time.time()}) + "\n")
        # handled=False makes the server answer 535 on failure instead of
        # staying silent.
        return AuthResult(success=ok, handled=False)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--state", required=True)
    parser.add_argument("--name", default="smtp")
    parser.add_argument("--cert", help="server certificate (PEM); made with a new authority when absent")
    parser.add_argument("--key", help="server key (PEM)")
    parser.add_argument("--ca", help="authority that signed --cert, reported in the ready file")
    parser.add_argument("--user", default="relay-user@example.test")
    parser.add_argument("--password", default="relay-secret-42")
    parser.add_argument("--no-starttls", action="store_true", help="offer no STARTTLS at all")
    parser.add_argument("--remove-state-when-orphaned", action="store_true",
                        help="delete the state folder when the starting process is gone")
    parser.add_argument("--keep-running", action="store_true")
    args = parser.parse_args()

    support.exit_on_term()
    if not args.keep_running:
        support.end_with_parent(args.state if args.remove_state_when_orphaned else None)
    os.makedirs(args.state, exist_ok=True)
    if args.cert and args.key:
        ca, cert, key = args.ca or "", args.cert, args.key
    else:
        ca, cert, key = support.make_certificates(os.path.join(args.state, "certificates"), "Mail relay double")

    tls = None
    if not args.no_starttls:
        tls = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        tls.load_cert_chain(cert, key)
    handler = StoringHandler(args.state)
    authenticator = Authenticator(args.state, args.user, args.password)
    # Controller(port=0) fails its own readiness check: pick the port first.
    for attempt in range(20):
        port = support.free_port()
        controller = Controller(handler, hostname=support.LOCAL_HOST, port=port, tls_context=tls,
                                require_starttls=tls is not None, authenticator=authenticator,
                                auth_required=True, auth_require_tls=tls is not None,
                                server_hostname="relay-double.localhost")
        try:
            controller.start()
            break
        except Exception:
            if attempt == 19:
                raise
    support.write_ready_file(args.state, args.name, {
        "port": port, "ca": ca, "cert": cert, "key": key, "starttls": tls is not None})
    threading.Event().wait()


if __name__ == "__main__":
    main()
