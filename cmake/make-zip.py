#!/usr/bin/env python3
"""Zips the files of one folder the same way every time, and writes a
SHA256SUMS for the zip beside it.

    make-zip.py SOURCE_DIR FOLDER ZIP

Names are sorted, every entry has one fixed time and fixed permissions, and no
extra fields (no owner, no file times) are written: two builds of one commit
give the same bytes whoever builds them, wherever and whenever. The time is
SOURCE_DATE_EPOCH if set, else the time of SOURCE_DIR's last commit.
"""

import hashlib
import os
import subprocess
import sys
import time
import zipfile

# 1980-01-01 00:00:00 UTC: the earliest time a zip entry can hold.
ZIP_EPOCH = 315532800


def entry_time(source_dir):
    if os.environ.get("SOURCE_DATE_EPOCH"):
        return int(os.environ["SOURCE_DATE_EPOCH"])
    try:
        out = subprocess.run(
            ["git", "-C", source_dir, "log", "-1", "--format=%ct"],
            capture_output=True,
            text=True,
            check=True,
        ).stdout
        return int(out.strip())
    except (OSError, subprocess.CalledProcessError, ValueError):
        print(
            "make-zip.py: no SOURCE_DATE_EPOCH and no git history in "
            + source_dir
            + ": every entry is dated 1980-01-01",
            file=sys.stderr,
        )
        return ZIP_EPOCH


def write_replacing(path, write):
    # Through a temporary file: an interrupted run leaves no half-written zip.
    tmp = path + ".tmp"
    with open(tmp, "wb") as out:
        write(out)
    os.replace(tmp, path)


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    source_dir, folder, zip_path = sys.argv[1:]
    stamp = time.gmtime(max(entry_time(source_dir), ZIP_EPOCH))[:6]

    names = sorted(os.listdir(folder))
    for name in names:
        if not os.path.isfile(os.path.join(folder, name)):
            sys.exit(f"make-zip.py: {name} in {folder} is not a file; the zips are flat")

    def write_zip(out):
        with zipfile.ZipFile(out, "w") as archive:
            for name in names:
                info = zipfile.ZipInfo(name, date_time=stamp)
                info.create_system = 3  # Unix, so that the modes below mean something
                mode = 0o755 if name.endswith(".exe") else 0o644
                info.external_attr = (0o100000 | mode) << 16
                info.compress_type = zipfile.ZIP_DEFLATED
                with open(os.path.join(folder, name), "rb") as f:
                    archive.writestr(info, f.read(), compresslevel=9)

    write_replacing(zip_path, write_zip)
    with open(zip_path, "rb") as f:
        digest = hashlib.sha256(f.read()).hexdigest()
    line = f"{digest}  {os.path.basename(zip_path)}\n"
    sums = os.path.join(os.path.dirname(zip_path), "SHA256SUMS")
    write_replacing(sums, lambda out: out.write(line.encode()))
    print(line, end="")


main()
