#!/usr/bin/python3
"""HTTPS double of the cloud experiment service, for tests and manual runs.

It makes its own test certificate authority at start, listens on a free port
of 127.0.0.1 and serves every endpoint of the service under /api/ plus the
mail relay's login text at /mail/relay-login.txt.

State folder layout (everything a test may read or prepare):
  ca.pem server.pem server.key   the test authority and the server's certificate
  cloud.ready.json                {"port", "pid", "ca", "cert", "key", "credentials_url"}
  requests.jsonl                  one JSON object per request, in arrival order
  switches.json                   failure switches, read at every request (see SWITCHES)
  credentials.txt                 the relay login text served to the client
  experiments/<code>/record.json  {"name", "expiry_date", "is_terminated"}
  experiments/<code>/exp_info     information file
  experiments/<code>/rt_info      run-info file (lines appended by the service)
  experiments/<code>/package      the experiment package
  experiments/<code>/results/     uploaded result files, "<n>-<file name>"

SWITCHES (all optional):
  "fail": [endpoint, ...]          reply {"success": false, "message": ...}
  "status": {endpoint: code}       HTTP status of that endpoint's reply
  "expired": true                  experiment details carry a past expiry date
  "terminated": true               experiment details carry is_terminated 1
  "json_error_files": [kind, ...]  kinds "info", "rtinfo", "package", "result":
                                   a JSON error reply in place of the file
  "json_error_status": code        HTTP status of those error replies (200)
  "throttle_bytes_per_second": n   file downloads trickle out at that rate
  "broken_download": true          file downloads stop half-way and the
                                   connection closes
  "upload_failures": n             the first n result uploads reply success false
  "upload_broken": true            result uploads get no reply at all
  "delay_seconds": {endpoint: s}   wait before replying
  "credentials_text": text         served in place of credentials.txt
  "delay_after_store_seconds": {"upload-result": s}
                                   store an uploaded result, then wait before replying
  "hang_up_after_store": [endpoint, ...]
                                   "upload-result", "update-rtinfo-file": store the
                                   result or append the line, then close the
                                   connection without any answer
  "refuse_connections": n          connections are reset as soon as they are accepted,
                                   before the TLS handshake, until n in all have been
                                   (one line each in refused_connections.log)
  "cut_upload_after_bytes": n      result uploads: the connection is reset after n
                                   bytes of the body have arrived
  "endless_reply": [endpoint, ...] announce a 1 GiB reply and stream it until
                                   the client hangs up
Like the service, the double stores every result upload as it comes: it knows
nothing of runs, so an upload sent twice is stored twice.
Endpoint names are the last fixed path segment, e.g. "get-experiment-details",
"upload-result", "update-rtinfo-file", "login".
"""

import argparse
import base64
import datetime
import http.server
import json
import os
import re
import secrets
import socketserver
import ssl
import sys
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import cloud_double_support as support  # noqa: E402

DEFAULT_API_KEY = "Rq4Tz9WmXc2Lb7NvHs5Ke3Pj8Gd1Fa6YuQo0ViEt4BnMr7Sw2Cx9Zh5Jl3Dp8Ag1"
CREDENTIALS_PATH = "/mail/relay-login.txt"
DEMO_CODE = 12345678
RESEARCHER = {"email": "researcher@example.test", "password": "correct horse", "name": "Ada Researcher"}


class ServiceState:
    """Everything the double keeps, in its state folder."""

    def __init__(self, folder, api_key):
        self.folder = folder
        self.api_key = api_key
        self.lock = threading.Lock()
        self.tokens = set()
        self.reset_tokens = {}
        self.uploads_seen = 0
        self.refused = 0
        self.password = RESEARCHER["password"]
        self.profile_name = RESEARCHER["name"]
        self.profile_email = RESEARCHER["email"]
        self.delegates = []
        os.makedirs(self.experiments_folder(), exist_ok=True)

    def experiments_folder(self):
        return os.path.join(self.folder, "experiments")

    def experiment_folder(self, code):
        return os.path.join(self.experiments_folder(), str(code))

    def switches(self):
        try:
            with open(os.path.join(self.folder, "switches.json")) as source:
                return json.load(source)
        except (OSError, ValueError):
            return {}

    def record(self, entry):
        line = json.dumps(entry) + "\n"
        with self.lock:
            with open(os.path.join(self.folder, "requests.jsonl"), "a") as log:
                log.write(line)

    def experiment(self, code):
        try:
            with open(os.path.join(self.experiment_folder(code), "record.json")) as source:
                return json.load(source)
        except (OSError, ValueError):
            return None

    def codes(self):
        found = []
        for name in os.listdir(self.experiments_folder()):
            if name.isdigit() and self.experiment(int(name)) is not None:
                found.append(int(name))
        return sorted(found)

    def add_experiment(self, code, name, expiry_date, info_bytes, package_bytes=None):
        folder = self.experiment_folder(code)
        os.makedirs(os.path.join(folder, "results"), exist_ok=True)
        with open(os.path.join(folder, "record.json"), "w") as out:
            json.dump({"name": name, "expiry_date": expiry_date, "is_terminated": 0}, out)
        with open(os.path.join(folder, "exp_info"), "wb") as out:
            out.write(info_bytes)
        open(os.path.join(folder, "rt_info"), "ab").close()
        if package_bytes is not None:
            with open(os.path.join(folder, "package"), "wb") as out:
                out.write(package_bytes)


def info_file_text(email="researcher@example.test", limit=0, prompt=1, run_once=0, no_delete=0, desktop=0,
                   version="6.5.3"):
    return ("vt_ver=%s\nr_email=%s\nmax_prtcpnt=%d\nprompt_info=%d\nrun_once=%d\nno_delete=%d\n"
            "save_desktop=%d\n" % (version, email, limit, prompt, run_once, no_delete, desktop)).encode()


def parse_multipart(body, content_type):
    match = re.search(r'boundary="?([^";]+)"?', content_type or "")
    if not match:
        return []
    delimiter = b"--" + match.group(1).encode()
    parts = []
    for chunk in body.split(delimiter)[1:]:
        if chunk.startswith(b"--"):
            break
        chunk = chunk[2:] if chunk.startswith(b"\r\n") else chunk
        head, _, data = chunk.partition(b"\r\n\r\n")
        if data.endswith(b"\r\n"):
            data = data[:-2]
        headers = []
        for line in head.split(b"\r\n"):
            if b":" in line:
                key, _, value = line.partition(b":")
                headers.append([key.decode("latin-1").strip(), value.decode("latin-1").strip()])
        disposition = next((v for k, v in headers if k.lower() == "content-disposition"), "")
        name = re.search(r'\bname="([^"]*)"', disposition)
        filename = re.search(r'\bfilename="([^"]*)"', disposition)
        content_type_header = next((v for k, v in headers if k.lower() == "content-type"), "")
        parts.append({
            "name": name.group(1) if name else "",
            "filename": filename.group(1) if filename else None,
            "content_type": content_type_header,
            "headers": headers,
            "data": data,
        })
    return parts


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "CloudServiceDouble/1"
    sys_version = ""

    # ---- plumbing
    def log_message(self, fmt, *args):
        with open(os.path.join(self.server.state.folder, "cloud_service.log"), "a") as log:
            log.write("%s %s\n" % (self.log_date_time_string(), fmt % args))

    @property
    def state(self):
        return self.server.state

    def handle_one(self):
        length = int(self.headers.get("Content-Length") or 0)
        cut = self.state.switches().get("cut_upload_after_bytes")
        if cut is not None and self.path.split("?", 1)[0].endswith("/upload-result") and int(cut) < length:
            # The request ends before its body has arrived whole: the service never sees it.
            self.rfile.read(int(cut))
            support.reset_connection(self.connection)
            self.close_connection = True
            return
        body = self.rfile.read(length) if length > 0 else b""
        parts = []
        if (self.headers.get("Content-Type") or "").startswith("multipart/form-data"):
            parts = parse_multipart(body, self.headers.get("Content-Type"))
        self.state.record({
            "method": self.command,
            "path": self.path,
            "headers": [[k, v] for k, v in self.headers.items()],
            "body_b64": base64.b64encode(body).decode(),
            "parts": [{"name": p["name"], "filename": p["filename"], "content_type": p["content_type"],
                       "data_b64": base64.b64encode(p["data"]).decode()} for p in parts],
            "time": time.time(),
        })
        self.close_connection = True
        try:
            self.route(body, parts)
        except (BrokenPipeError, ConnectionResetError, ssl.SSLError):
            pass

    do_GET = do_POST = do_PUT = do_PATCH = do_DELETE = handle_one

    def send_bytes(self, status, data, content_type, switches=None):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(data)))
        self.send_header("Connection", "close")
        self.end_headers()
        switches = switches or {}
        if switches.get("broken_download"):
            self.wfile.write(data[: len(data) // 2])
            self.wfile.flush()
            return
        rate = int(switches.get("throttle_bytes_per_second") or 0)
        if rate > 0:
            step = max(1, rate // 20)
            for start in range(0, len(data), step):
                self.wfile.write(data[start:start + step])
                self.wfile.flush()
                time.sleep(0.05)
            return
        self.wfile.write(data)

    def send_endless(self):
        """Announces a reply of 1 GiB and streams it until the client hangs up."""
        self.send_response(200)
        self.send_header("Content-Type", "application/json")
        self.send_header("Content-Length", str(1 << 30))
        self.send_header("Connection", "close")
        self.end_headers()
        chunk = b" " * (1 << 16)
        for _ in range((1 << 30) // len(chunk)):
            self.wfile.write(chunk)

    def send_json(self, payload, status=200):
        self.send_bytes(status, json.dumps(payload).encode(), "application/json")

    def fail_json(self, message, status=200):
        self.send_json({"success": False, "message": message}, status)

    # ---- routing
    ROUTES = [
        ("GET", r"user/v1/get-experiment-details/(-?\d+)", "experiment_details"),
        ("GET", r"user/v1/download-info-file/(-?\d+)", "download_info"),
        ("GET", r"user/v1/download-rtinfo-file/(-?\d+)", "download_rtinfo"),
        ("GET", r"user/v1/download-experiment/(-?\d+)", "download_package"),
        ("GET", r"user/v1/download-result/(-?\d+)", "download_result"),
        ("POST", r"user/v1/upload-result", "upload_result"),
        ("PUT", r"user/v1/update-rtinfo-file/(-?\d+)", "update_rtinfo"),
        ("POST", r"user/v1/login", "login"),
        ("GET", r"user/v1/profile", "profile"),
        ("GET", r"admin/v1/profile/(.+)", "admin_profile"),
        ("GET", r"user/v1/get-all-experiments", "all_experiments"),
        ("GET", r"user/v1/get-delegates", "delegates"),
        ("POST", r"user/v1/upload-experiment", "upload_experiment"),
        ("POST", r"user/v1/replace-info-file/(-?\d+)", "replace_info"),
        ("PATCH", r"user/v1/extend-experiment-expiry-date/(-?\d+)", "extend_expiry"),
        ("POST", r"user/v1/add-delegate", "add_delegate"),
        ("PUT", r"user/v1/update-profile", "update_profile"),
        ("DELETE", r"user/v1/delete-experiment/(-?\d+)", "delete_experiment"),
        ("DELETE", r"user/v1/delete-delegate/(.+)", "delete_delegate"),
        ("POST", r"user/v1/forget-password", "forget_password"),
        ("POST", r"user/v1/reset-password", "reset_password"),
        ("PATCH", r"user/v1/change-password", "change_password"),
        ("PUT", r"admin/v1/update-user-profile/(.+)", "admin_update_profile"),
        ("GET", r"admin/v1/email-types", "email_types"),
        ("POST", r"admin/v1/update-email-content/(.+)", "update_email_content"),
    ]
    RESEARCHER_ONLY = {"profile", "admin_profile", "all_experiments", "delegates", "upload_experiment",
                       "replace_info", "extend_expiry", "add_delegate", "update_profile", "delete_experiment",
                       "delete_delegate", "change_password", "admin_update_profile", "email_types",
                       "update_email_content", "download_result"}

    def route(self, body, parts):
        switches = self.state.switches()
        path = self.path.split("?", 1)[0]
        if path == CREDENTIALS_PATH and self.command == "GET":
            return self.credentials(switches)
        if not path.startswith("/api/"):
            return self.fail_json("Not found", 404)
        relative = path[len("/api/"):]
        for method, pattern, action in self.ROUTES:
            match = re.fullmatch(pattern, relative)
            if match and method == self.command:
                break
        else:
            return self.fail_json("No such endpoint", 404)
        endpoint = relative.split("/")[2] if relative.count("/") >= 2 else relative
        delay = (switches.get("delay_seconds") or {}).get(endpoint)
        if delay:
            time.sleep(float(delay))
        if self.headers.get("X-Authorization") != self.state.api_key:
            return self.fail_json("Invalid API key", 401)
        if action in self.RESEARCHER_ONLY and not self.authorised():
            return self.fail_json("Unauthenticated.", 401)
        status = int((switches.get("status") or {}).get(endpoint, 200))
        if endpoint in (switches.get("endless_reply") or []):
            return self.send_endless()
        if endpoint in (switches.get("fail") or []):
            return self.fail_json("The service refused the request (test switch)", status)
        fields = {}
        if body and (self.headers.get("Content-Type") or "").startswith("application/json"):
            try:
                fields = json.loads(body.decode())
            except ValueError:
                return self.fail_json("Malformed JSON body", 400)
        for part in parts:
            if part["filename"] is None:
                fields[part["name"]] = part["data"].decode("utf-8", "replace")
        handler = getattr(self, "do_" + action)
        self.switches_now = switches
        self.status_now = status
        return handler(fields, parts, *match.groups())

    def authorised(self):
        value = self.headers.get("Authorization") or ""
        return value.startswith("Bearer ") and value[len("Bearer "):] in self.state.tokens

    def ok(self, data=None, **extra):
        payload = {"success": True}
        if data is not None:
            payload["data"] = data
        payload.update(extra)
        self.send_json(payload, self.status_now)

    # ---- files
    def send_file(self, kind, path):
        switches = self.switches_now
        if kind in (switches.get("json_error_files") or []):
            return self.fail_json("File not found", int(switches.get("json_error_status", 200)))
        try:
            with open(path, "rb") as source:
                data = source.read()
        except OSError:
            return self.fail_json("File not found", int(switches.get("json_error_status", 200)))
        self.send_bytes(self.status_now, data, "application/octet-stream", switches)

    def do_download_info(self, fields, parts, code):
        self.send_file("info", os.path.join(self.state.experiment_folder(code), "exp_info"))

    def do_download_rtinfo(self, fields, parts, code):
        self.send_file("rtinfo", os.path.join(self.state.experiment_folder(code), "rt_info"))

    def do_download_package(self, fields, parts, code):
        self.send_file("package", os.path.join(self.state.experiment_folder(code), "package"))

    def do_download_result(self, fields, parts, code):
        folder = os.path.join(self.state.experiment_folder(code), "results")
        names = sorted(os.listdir(folder), key=lambda n: int(n.split("-", 1)[0])) if os.path.isdir(folder) else []
        self.send_file("result", os.path.join(folder, names[-1]) if names else os.path.join(folder, "none"))

    # ---- participant side
    def do_experiment_details(self, fields, parts, code):
        record = self.state.experiment(code)
        if record is None:
            return self.fail_json("Experiment not found")
        expiry = record["expiry_date"]
        if self.switches_now.get("expired"):
            expiry = (datetime.date.today() - datetime.timedelta(days=10)).isoformat()
        terminated = 1 if self.switches_now.get("terminated") else record.get("is_terminated", 0)
        self.ok({"code": int(code), "is_terminated": terminated, "name": record["name"], "expiry_date": expiry})

    def do_upload_result(self, fields, parts):
        switches = self.switches_now
        if switches.get("upload_broken"):
            self.wfile.flush()
            self.connection.close()
            return
        with self.state.lock:
            self.state.uploads_seen += 1
            attempt = self.state.uploads_seen
        if attempt <= int(switches.get("upload_failures") or 0):
            return self.fail_json("The result could not be stored")
        code = fields.get("experiment_code", "")
        files = [p for p in parts if p["name"] == "result_file" and p["filename"] is not None]
        if not code.isdigit() or self.state.experiment(code) is None or not files:
            return self.fail_json("Unknown experiment or no result file")
        folder = os.path.join(self.state.experiment_folder(code), "results")
        os.makedirs(folder, exist_ok=True)
        with self.state.lock:
            number = len(os.listdir(folder)) + 1
            target = os.path.join(folder, "%d-%s" % (number, os.path.basename(files[0]["filename"])))
            with open(target, "wb") as out:
                out.write(files[0]["data"])
        if "upload-result" in (switches.get("hang_up_after_store") or []):
            return self.hang_up()
        delay = (switches.get("delay_after_store_seconds") or {}).get("upload-result")
        if delay:
            time.sleep(float(delay))
        self.ok({"file": os.path.basename(target)})

    def do_update_rtinfo(self, fields, parts, code):
        if self.state.experiment(code) is None:
            return self.fail_json("Experiment not found")
        content = fields.get("content")
        if not isinstance(content, str):
            return self.fail_json("No content")
        with self.state.lock:
            with open(os.path.join(self.state.experiment_folder(code), "rt_info"), "ab") as out:
                out.write(content.encode() + b"\n")
        if "update-rtinfo-file" in (self.switches_now.get("hang_up_after_store") or []):
            return self.hang_up()
        self.ok()

    def hang_up(self):
        """The request was handled; the connection closes without any answer."""
        self.close_connection = True
        try:
            self.connection.close()
        except OSError:
            pass

    def credentials(self, switches):
        text = switches.get("credentials_text")
        if text is None:
            try:
                with open(os.path.join(self.state.folder, "credentials.txt")) as source:
                    text = source.read()
            except OSError:
                return self.fail_json("Not found", 404)
        self.send_bytes(int(switches.get("credentials_status", 200)), text.encode(), "text/plain")

    # ---- researcher side
    def do_login(self, fields, parts):
        if fields.get("email") != self.state.profile_email or fields.get("password") != self.state.password:
            return self.fail_json("These credentials do not match our records.")
        token = secrets.token_hex(16)
        self.state.tokens.add(token)
        self.ok({"access_token": token, "token_type": "Bearer"})

    def profile_data(self, email=None):
        return {
            "name": self.state.profile_name,
            "email": email or self.state.profile_email,
            "set_password": 1,
            "role": {"slug": "researcher"},
            "parent": {"name": "", "email": ""},
            "delegates_count": len(self.state.delegates),
            "current_subscription": {
                "expiry_date": (datetime.date.today() + datetime.timedelta(days=365)).isoformat(),
                "number_of_delegates": 5,
                "limit_package": 1073741824.0,
                "uploaded_experiments_size": 2048.0,
            },
        }

    def do_profile(self, fields, parts):
        self.ok(self.profile_data())

    def do_admin_profile(self, fields, parts, user):
        self.ok(self.profile_data(user))

    def do_all_experiments(self, fields, parts):
        listing = []
        for code in self.state.codes():
            record = self.state.experiment(code)
            package = os.path.join(self.state.experiment_folder(code), "package")
            listing.append({"code": code, "is_terminated": record.get("is_terminated", 0), "name": record["name"],
                            "expiry_date": record["expiry_date"],
                            "size": os.path.getsize(package) if os.path.exists(package) else 0})
        self.ok(listing)

    def do_delegates(self, fields, parts):
        self.ok(self.state.delegates)

    def do_upload_experiment(self, fields, parts):
        files = {p["name"]: p for p in parts if p["filename"] is not None}
        if "experiment_file" not in files or "info_file" not in files:
            return self.fail_json("The experiment file and the information file are required")
        with self.state.lock:
            code = max(self.state.codes() + [30000000]) + 1
        self.state.add_experiment(code, os.path.splitext(files["experiment_file"]["filename"])[0],
                                  fields.get("experiment_expiry_date", ""), files["info_file"]["data"],
                                  files["experiment_file"]["data"])
        self.ok({"code": code})

    def do_replace_info(self, fields, parts, code):
        files = [p for p in parts if p["name"] == "info_file" and p["filename"] is not None]
        if self.state.experiment(code) is None or not files:
            return self.fail_json("Experiment not found")
        with open(os.path.join(self.state.experiment_folder(code), "exp_info"), "wb") as out:
            out.write(files[0]["data"])
        self.ok()

    def do_extend_expiry(self, fields, parts, code):
        record = self.state.experiment(code)
        days = str(fields.get("number_of_days", ""))
        if record is None or not days.isdigit():
            return self.fail_json("Experiment not found or bad number of days")
        try:
            expiry = datetime.date.fromisoformat(record["expiry_date"][:10])
        except ValueError:
            expiry = datetime.date.today()
        record["expiry_date"] = (expiry + datetime.timedelta(days=int(days))).isoformat()
        with open(os.path.join(self.state.experiment_folder(code), "record.json"), "w") as out:
            json.dump(record, out)
        self.ok()

    def do_add_delegate(self, fields, parts):
        if not fields.get("email") or "@" not in fields.get("email"):
            return self.fail_json("The email must be a valid email address.")
        self.state.delegates.append({
            "name": fields.get("name", ""), "email": fields["email"],
            "current_subscription": {"expiry_date": (datetime.date.today() + datetime.timedelta(
                days=int(fields.get("number_of_days") or 0))).isoformat()}})
        self.ok()

    def do_update_profile(self, fields, parts):
        if not fields:
            return self.fail_json("Nothing to update")
        self.state.profile_name = fields.get("name", self.state.profile_name)
        self.state.profile_email = fields.get("email", self.state.profile_email)
        self.ok()

    def do_delete_experiment(self, fields, parts, code):
        folder = self.state.experiment_folder(code)
        if self.state.experiment(code) is None:
            return self.fail_json("Experiment not found")
        os.replace(os.path.join(folder, "record.json"), os.path.join(folder, "record.deleted.json"))
        self.ok()

    def do_delete_delegate(self, fields, parts, user):
        before = len(self.state.delegates)
        self.state.delegates = [d for d in self.state.delegates if d["email"] != user]
        if len(self.state.delegates) == before:
            return self.fail_json("Delegate not found")
        self.ok()

    def do_forget_password(self, fields, parts):
        if fields.get("email") != self.state.profile_email:
            return self.fail_json("We can't find a user with that email address.")
        token = secrets.token_hex(8)
        self.state.reset_tokens[token] = fields["email"]
        self.ok({"reset_password_token": token})

    def do_reset_password(self, fields, parts):
        if fields.get("token") not in self.state.reset_tokens or not fields.get("password"):
            return self.fail_json("This password reset token is invalid.")
        del self.state.reset_tokens[fields["token"]]
        self.state.password = fields["password"]
        self.ok()

    def do_change_password(self, fields, parts):
        if fields.get("current_password") != self.state.password or not fields.get("password"):
            return self.fail_json("The current password is incorrect.")
        self.state.password = fields["password"]
        self.ok()

    def do_admin_update_profile(self, fields, parts, user):
        if not fields.get("new_email"):
            return self.fail_json("The new email is required.")
        self.ok()

    def do_email_types(self, fields, parts):
        self.ok([{"slug": "welcome"}, {"slug": "password-reset"}, {"slug": "experiment-expiry"}])

    def do_update_email_content(self, fields, parts, slug):
        files = [p for p in parts if p["name"] == "file_content" and p["filename"] is not None]
        if not fields.get("email_subject") or not files:
            return self.fail_json("The subject and the content file are required.")
        self.ok()


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
    allow_reuse_address = True

    def __init__(self, address, state, context):
        self.state = state
        self.context = context
        super().__init__(address, Handler)

    def finish_request(self, request, client_address):
        # The handshake runs in the connection's own thread: a client that
        # refuses the certificate or stalls never blocks the listener.
        if self.refuse_this_connection():
            support.reset_connection(request)
            return
        try:
            request.settimeout(30)
            secured = self.context.wrap_socket(request, server_side=True)
        except (ssl.SSLError, OSError):
            return
        try:
            self.RequestHandlerClass(secured, client_address, self)
        finally:
            try:
                secured.close()
            except OSError:
                pass

    def refuse_this_connection(self):
        wanted = int(self.state.switches().get("refuse_connections") or 0)
        with self.state.lock:
            if self.state.refused >= wanted:
                return False
            self.state.refused += 1
            with open(os.path.join(self.state.folder, "refused_connections.log"), "a") as log:
                log.write("%f\n" % time.time())
        return True

    def handle_error(self, request, client_address):
        pass


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--state", required=True, help="folder for certificates, data and the request log")
    parser.add_argument("--name", default="cloud", help="name of the ready file (<name>.ready.json)")
    parser.add_argument("--api-key", default=DEFAULT_API_KEY)
    parser.add_argument("--mail-user", default="relay-user@example.test")
    parser.add_argument("--mail-password", default="relay-secret-42")
    parser.add_argument("--seed-demo", action="store_true",
                        help="add experiment %d (task code 15386598)" % DEMO_CODE)
    parser.add_argument("--demo-package", help="package file for the demo experiment")
    parser.add_argument("--remove-state-when-orphaned", action="store_true",
                        help="delete the state folder when the starting process is gone")
    parser.add_argument("--keep-running", action="store_true",
                        help="do not end with the starting process")
    args = parser.parse_args()

    support.exit_on_term()
    if not args.keep_running:
        support.end_with_parent(args.state if args.remove_state_when_orphaned else None)
    os.makedirs(args.state, exist_ok=True)
    ca, cert, key = support.make_certificates(args.state, "Cloud service double")
    state = ServiceState(args.state, args.api_key)
    credentials = os.path.join(args.state, "credentials.txt")
    if not os.path.exists(credentials):
        with open(credentials, "w") as out:
            out.write("# mail relay login\nk7q%sz1\nm2w%sx8\n" % (args.mail_password, args.mail_user))
    if args.seed_demo and state.experiment(DEMO_CODE) is None:
        package = None
        if args.demo_package:
            with open(args.demo_package, "rb") as source:
                package = source.read()
        expiry = (datetime.date.today() + datetime.timedelta(days=30)).isoformat()
        state.add_experiment(DEMO_CODE, "Demo experiment", expiry, info_file_text(), package)

    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(cert, key)
    for attempt in range(20):
        try:
            server = Server((support.LOCAL_HOST, support.free_port()), state, context)
            break
        except OSError:
            if attempt == 19:
                raise
    port = server.server_address[1]
    support.write_ready_file(args.state, args.name, {
        "port": port, "ca": ca, "cert": cert, "key": key,
        "credentials_url": "https://127.0.0.1:%d%s" % (port, CREDENTIALS_PATH)})
    server.serve_forever(poll_interval=0.2)


if __name__ == "__main__":
    main()
