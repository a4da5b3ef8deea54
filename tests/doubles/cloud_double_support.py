"""What the local cloud doubles share: a throw-away certificate
authority made with the openssl command, free ports on 127.0.0.1, the ready
file through which a double reports where it listens, and the watch that
ends a double when the process that started it is gone."""

import ctypes
import json
import os
import shutil
import signal
import socket
import struct
import subprocess
import sys
import threading
import time

LOCAL_HOST = "127.0.0.1"


def free_port():
    with socket.socket(socket.AF_INET, socket.SOCK_STREAM) as probe:
        probe.bind((LOCAL_HOST, 0))
        return probe.getsockname()[1]


def _openssl(*args, cwd):
    subprocess.run(["openssl", *args], cwd=cwd, check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)


def make_certificates(folder, label="Study Station test"):
    """Creates ca.pem (the authority to trust) and server.pem/server.key for
    127.0.0.1 and localhost in `folder`, unless they are there already.
    Returns the three paths."""
    os.makedirs(folder, exist_ok=True)
    ca, cert, key = (os.path.join(folder, name) for name in ("ca.pem", "server.pem", "server.key"))
    if all(os.path.exists(p) for p in (ca, cert, key)):
        return ca, cert, key
    # A configuration of its own keeps the system's defaults (CA extensions
    # on every certificate) out of the way.
    config = os.path.join(folder, "minimal.cnf")
    with open(config, "w") as out:
        out.write("[req]\ndistinguished_name=dn\n[dn]\n")
    common = ["req", "-config", config, "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
              "-nodes", "-days", "3"]
    _openssl(*common, "-keyout", "ca.key", "-out", "ca.pem.tmp",
             "-subj", "/CN=%s CA %d" % (label, os.getpid()),
             "-addext", "basicConstraints=critical,CA:TRUE",
             "-addext", "keyUsage=critical,keyCertSign,cRLSign", cwd=folder)
    _openssl(*common, "-keyout", "server.key.tmp", "-out", "server.pem.tmp", "-subj", "/CN=127.0.0.1",
             "-CA", "ca.pem.tmp", "-CAkey", "ca.key",
             "-addext", "subjectAltName=IP:127.0.0.1,DNS:localhost",
             "-addext", "basicConstraints=critical,CA:FALSE",
             "-addext", "keyUsage=critical,digitalSignature,keyEncipherment",
             "-addext", "extendedKeyUsage=serverAuth", cwd=folder)
    for final in (ca, cert, key):
        os.replace(final + ".tmp", final)
    return ca, cert, key


def reset_connection(connection):
    """Closes a connection with a reset (no orderly end): the peer's next read or
    write fails at once."""
    try:
        connection.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
    except OSError:
        pass
    try:
        connection.close()
    except OSError:
        pass


def write_ready_file(state, name, info):
    """Publishes where a double listens: <state>/<name>.ready.json, written
    whole (temporary file and rename) so that a reader never sees half."""
    info = dict(info, pid=os.getpid())
    path = os.path.join(state, name + ".ready.json")
    with open(path + ".tmp", "w") as out:
        json.dump(info, out)
        out.write("\n")
    os.replace(path + ".tmp", path)
    print("READY %s %d" % (name, info["port"]), flush=True)


def end_with_parent(remove_when_orphaned=None):
    """Ends this process when the one that started it ends, so that a test
    that dies never leaves a listening double behind. remove_when_orphaned,
    a folder, is deleted first: nobody is left to clean it up."""
    parent = os.getppid()

    def orphaned(*_):
        if remove_when_orphaned:
            shutil.rmtree(remove_when_orphaned, ignore_errors=True)
        os._exit(0)

    signal.signal(signal.SIGUSR1, orphaned)
    try:
        libc = ctypes.CDLL(None, use_errno=True)
        PR_SET_PDEATHSIG = 1
        libc.prctl(PR_SET_PDEATHSIG, signal.SIGUSR1)
    except (OSError, AttributeError):
        pass
    if os.getppid() != parent:
        orphaned()

    def watch():
        while True:
            if os.getppid() != parent:
                orphaned()
            time.sleep(0.2)

    threading.Thread(target=watch, daemon=True, name="parent-watch").start()


def exit_on_term():
    signal.signal(signal.SIGTERM, lambda *_: os._exit(0))
    signal.signal(signal.SIGINT, lambda *_: os._exit(0))


def fail(message):
    sys.stderr.write(message + "\n")
    sys.exit(2)
