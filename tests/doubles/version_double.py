#!/usr/bin/python3
"""Local HTTPS stand-in for the version-file host, for tests only.

Makes a throw-away test CA and a server certificate for 127.0.0.1 with the
openssl command, listens on a free port of 127.0.0.1 and prints, one per line:
    PORT <n>
    CA <path of the CA certificate, PEM>
Then, for every GET it serves, "GET <path>".

Modes:
    serve   answer every GET with the bytes of --content-file (read per request)
            and --status (default 200)
    silent  accept connections and never answer (no TLS handshake either)

It stops when its standard input closes (the parent test ended) or on SIGTERM.
Standard library only; run it with /usr/bin/python3.
"""

import argparse
import http.server
import os
import shutil
import socket
import ssl
import subprocess
import sys
import tempfile
import threading


def run_openssl(*args, cwd):
    subprocess.run(["openssl", *args], cwd=cwd, check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def make_certificates(folder):
    ec = ["-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes"]
    run_openssl("req", "-x509", *ec, "-keyout", "ca.key", "-out", "ca.pem", "-days", "2",
                "-subj", "/CN=Study Station test CA",
                "-addext", "basicConstraints=critical,CA:TRUE",
                "-addext", "keyUsage=critical,keyCertSign,cRLSign", cwd=folder)
    run_openssl("req", "-new", *ec, "-keyout", "server.key", "-out", "server.csr",
                "-subj", "/CN=127.0.0.1", cwd=folder)
    with open(os.path.join(folder, "server.ext"), "w") as ext:
        ext.write("basicConstraints=CA:FALSE\n"
                  "keyUsage=critical,digitalSignature,keyEncipherment\n"
                  "extendedKeyUsage=serverAuth\n"
                  "subjectAltName=IP:127.0.0.1,DNS:localhost\n")
    run_openssl("x509", "-req", "-in", "server.csr", "-CA", "ca.pem", "-CAkey", "ca.key",
                "-CAcreateserial", "-out", "server.pem", "-days", "2",
                "-extfile", "server.ext", cwd=folder)
    return (os.path.join(folder, "ca.pem"), os.path.join(folder, "server.pem"),
            os.path.join(folder, "server.key"))


def say(line):
    sys.stdout.write(line + "\n")
    sys.stdout.flush()


def make_handler(content_file, status):
    class Handler(http.server.BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"

        def do_GET(self):
            say("GET " + self.path)
            with open(content_file, "rb") as f:
                body = f.read()
            self.send_response(status)
            self.send_header("Content-Type", "text/plain")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)

        def log_message(self, *args):
            pass

    return Handler


def serve(args, context):
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), make_handler(args.content_file, args.status))
    server.daemon_threads = True
    server.socket = context.wrap_socket(server.socket, server_side=True,
                                        do_handshake_on_connect=False)

    # The handshake happens in the handler's thread, so one bad client cannot
    # hold up the others.
    original_finish = server.finish_request

    def finish_request(request, client_address):
        try:
            request.settimeout(10)
            request.do_handshake()
        except (ssl.SSLError, OSError):
            return
        original_finish(request, client_address)

    server.finish_request = finish_request
    return server.server_address[1], server.serve_forever


def silent():
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", 0))
    listener.listen(16)
    held = []

    def accept_forever():
        while True:
            connection, _ = listener.accept()
            held.append(connection)  # kept open, never read or written

    return listener.getsockname()[1], accept_forever


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--mode", choices=["serve", "silent"], default="serve")
    parser.add_argument("--content-file", help="file whose bytes every GET returns (serve mode)")
    parser.add_argument("--status", type=int, default=200)
    parser.add_argument("--folder", help="where to put the certificates (default: a temporary folder)")
    args = parser.parse_args()
    if args.mode == "serve" and not args.content_file:
        parser.error("--content-file is required in serve mode")

    folder = args.folder or tempfile.mkdtemp(prefix="version-double-")
    os.makedirs(folder, exist_ok=True)
    try:
        ca, cert, key = make_certificates(folder)
        if args.mode == "serve":
            context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
            context.load_cert_chain(cert, key)
            port, run = serve(args, context)
        else:
            port, run = silent()
        threading.Thread(target=run, daemon=True).start()
        say("PORT %d" % port)
        say("CA " + ca)
        while sys.stdin.buffer.read(4096):
            pass
    finally:
        if not args.folder:
            shutil.rmtree(folder, ignore_errors=True)
    os._exit(0)


if __name__ == "__main__":
    import signal
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    main()
