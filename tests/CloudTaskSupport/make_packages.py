#!/usr/bin/python3
"""Writes the experiment packages that the unpacking tests read, good and hostile.

usage: make_packages.py <folder> <outside-absolute-path>
"""
import io
import os
import sys
import tarfile
import zipfile

folder, outside = sys.argv[1], sys.argv[2]
os.makedirs(folder, exist_ok=True)

BINARY = bytes(range(256)) * 400
GOOD = [("Experiment/", None), ("Experiment/task.vt6", b'{"doc": 1}\n'),
        ("Experiment/images/picture.png", BINARY), ("Experiment/caf\u00e9.txt", b"accent\n"),
        ("loose/deeper/no-folder-entry.txt", b"made without its folder entry\n")]


def tar_file(name, data, kind=tarfile.REGTYPE, link=""):
    info = tarfile.TarInfo(name)
    info.type = kind
    info.linkname = link
    info.mode = 0o644
    if kind == tarfile.REGTYPE and data is not None:
        info.size = len(data)
        return info, io.BytesIO(data)
    return info, None


def write_tar(path, entries, fmt=tarfile.GNU_FORMAT):
    with tarfile.open(path, "w:gz", format=fmt) as tar:
        for name, data, kind, link in entries:
            if name.endswith("/"):
                info = tarfile.TarInfo(name.rstrip("/"))
                info.type = tarfile.DIRTYPE
                info.mode = 0o755
                tar.addfile(info)
                continue
            info, stream = tar_file(name, data, kind, link)
            tar.addfile(info, stream)


def write_zip(path, entries):
    with zipfile.ZipFile(path, "w", compression=zipfile.ZIP_DEFLATED) as z:
        for name, data, kind, link in entries:
            info = zipfile.ZipInfo(name)
            info.create_system = 3  # Unix, so the mode bits are read
            info.compress_type = zipfile.ZIP_DEFLATED
            if kind == "symlink":
                info.external_attr = (0o120777 << 16)
                z.writestr(info, link)
            elif name.endswith("/"):
                info.external_attr = (0o040755 << 16) | 0x10
                z.writestr(info, b"")
            else:
                info.external_attr = (0o100644 << 16)
                z.writestr(info, data)


def regular(entries):
    return [(n, d, tarfile.REGTYPE, "") for n, d in entries]


write_tar(os.path.join(folder, "good.tar.gz"), regular(GOOD))
write_tar(os.path.join(folder, "good-pax.tar.gz"), regular(GOOD), tarfile.PAX_FORMAT)
write_zip(os.path.join(folder, "good.zip"), regular(GOOD))
long_name = "Experiment/" + "n" * 120 + "/" + "m" * 120 + ".txt"
write_tar(os.path.join(folder, "long-names.tar.gz"), regular([(long_name, b"long\n")]))

# Each hostile package starts with a harmless file, which must not survive the refusal.
first = ("Experiment/first.txt", b"first\n", tarfile.REGTYPE, "")
HOSTILE = {
    "parent": ("../escaped.txt", b"x", tarfile.REGTYPE, ""),
    "nested-parent": ("Experiment/../../escaped.txt", b"x", tarfile.REGTYPE, ""),
    "backslash-parent": ("Experiment\\..\\..\\escaped.txt", b"x", tarfile.REGTYPE, ""),
    "absolute": (outside + "/absolute.txt", b"x", tarfile.REGTYPE, ""),
    "drive": ("C:/escaped.txt", b"x", tarfile.REGTYPE, ""),
    "drive-relative": ("C:escaped.txt", b"x", tarfile.REGTYPE, ""),
    "symlink": ("Experiment/link", None, tarfile.SYMTYPE, outside),
    "hardlink": ("Experiment/hard", None, tarfile.LNKTYPE, "/etc/passwd"),
    "device": ("Experiment/device", None, tarfile.CHRTYPE, ""),
    "fifo": ("Experiment/fifo", None, tarfile.FIFOTYPE, ""),
}
for label, entry in HOSTILE.items():
    write_tar(os.path.join(folder, label + ".tar.gz"), [first, entry])
    if entry[2] == tarfile.REGTYPE:
        write_zip(os.path.join(folder, label + ".zip"), [first, entry])
write_zip(os.path.join(folder, "symlink.zip"), [first, ("Experiment/link", None, "symlink", outside)])

# A link followed by a file written through it: the link alone must stop it.
write_tar(os.path.join(folder, "through-link.tar.gz"),
          [("Experiment/out", None, tarfile.SYMTYPE, outside), ("Experiment/out/through.txt", b"x", tarfile.REGTYPE, "")])

# A package cut short in the middle of its data.
whole = open(os.path.join(folder, "good.tar.gz"), "rb").read()
open(os.path.join(folder, "truncated.tar.gz"), "wb").write(whole[: len(whole) // 2])
whole = open(os.path.join(folder, "good.zip"), "rb").read()
open(os.path.join(folder, "truncated.zip"), "wb").write(whole[: len(whole) // 2])
open(os.path.join(folder, "not-a-package.tar.gz"), "wb").write(b'{"success":false,"message":"Not found"}')

# Names as packers on Windows store them: code page 437 without the UTF-8 flag; and a
# name that claims UTF-8 and is not.
def write_raw_name_zip(path, raw_name, flag_bits, data=b"accent\n"):
    original = zipfile.ZipInfo._encodeFilenameFlags
    zipfile.ZipInfo._encodeFilenameFlags = lambda self: (raw_name, flag_bits)
    try:
        with zipfile.ZipFile(path, "w", compression=zipfile.ZIP_DEFLATED) as z:
            z.writestr(zipfile.ZipInfo("Experiment/first.txt"), b"first\n")
            z.writestr(zipfile.ZipInfo("placeholder"), data)
    finally:
        zipfile.ZipInfo._encodeFilenameFlags = original


write_raw_name_zip(os.path.join(folder, "cp437.zip"), b"Experiment/caf\x82 \x9c.txt", 0)
write_raw_name_zip(os.path.join(folder, "bad-utf8.zip"), b"Experiment/bad\xff\xfe.txt", 0x800)

# Entries that would replace the task folder's own files.
for reserved, label in (("exp_info", "reserved-info"), ("Task Data.txt", "reserved-data"),
                        ("rt_info", "reserved-runinfo"), ("Task Data (earlier 1).txt", "reserved-earlier")):
    entry = (reserved, b"planted\n", tarfile.REGTYPE, "")
    write_tar(os.path.join(folder, label + ".tar.gz"), [first, entry])
    write_zip(os.path.join(folder, label + ".zip"), [first, entry])

# A file of 40 MB of zeros: a few tens of kilobytes packed, far beyond any real ratio.
zeros = bytes(40 << 20)
write_tar(os.path.join(folder, "bomb-ratio.tar.gz"), [first, ("Experiment/zeros.bin", zeros, tarfile.REGTYPE, "")])
write_zip(os.path.join(folder, "bomb-ratio.zip"), [first, ("Experiment/zeros.bin", zeros, tarfile.REGTYPE, "")])

# Names past the bounds on depth and length, and a package of many empty files at
# the greatest depth allowed (each costs the unpacking its folder steps).
too_deep = "/".join(["d"] * 64) + "/deep.txt"
too_long = "Experiment/" + "l" * 1014 + ".txt"
for label, name in (("too-deep", too_deep), ("too-long", too_long)):
    entry = (name, b"x\n", tarfile.REGTYPE, "")
    write_tar(os.path.join(folder, label + ".tar.gz"), [first, entry])
    write_zip(os.path.join(folder, label + ".zip"), [first, entry])
deepest = "/".join(["d"] * 63)
write_tar(os.path.join(folder, "many-deep.tar.gz"),
          [(deepest + "/f%05d" % i, b"", tarfile.REGTYPE, "") for i in range(4000)])
