#!/usr/bin/env python3
"""Writes a zip archive whose bytes depend only on the files' names and contents and on one
given time: entries in the order given, stored under their base names, each with that time,
regular-file permissions 0644 and maximum deflate.

    reproducible_zip.py OUT EPOCH FILE...
"""
import sys
import time
import zipfile


def main():
    out, epoch, files = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
    # Zip times are local wall-clock times without a zone; the commit's UTC time is written so
    # that no machine's zone changes the bytes. Zip cannot hold times before 1980.
    stamp = max(time.gmtime(epoch)[:6], (1980, 1, 1, 0, 0, 0))
    with zipfile.ZipFile(out, "w") as archive:
        for path in files:
            info = zipfile.ZipInfo(path.rsplit("/", 1)[-1], date_time=stamp)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 3  # Unix, so that the permissions below are read
            info.external_attr = 0o100644 << 16
            with open(path, "rb") as f:
                archive.writestr(info, f.read(), compresslevel=9)


if __name__ == "__main__":
    main()
