#!/usr/bin/env python3
"""Writes a zip whose bytes depend only on the files' contents and the given time.

    make_zip.py OUT.zip EPOCH NAME=PATH ...

Entries go in the order given, each folder named once before its first file; every
entry carries EPOCH (UTC seconds, e.g. the last commit's time) as its time and fixed
attributes, and files are deflated at the highest level."""

import sys
import time
import zipfile

FILE_MODE = 0o100644
FOLDER_MODE = 0o040755
MSDOS_FOLDER = 0x10
UNIX = 3


def entry(name, stamp, mode):
    info = zipfile.ZipInfo(name, date_time=stamp)
    info.create_system = UNIX
    info.external_attr = mode << 16
    if mode == FOLDER_MODE:
        info.external_attr |= MSDOS_FOLDER
    return info


def main(argv):
    if len(argv) < 4 or not all("=" in item for item in argv[3:]):
        sys.exit(__doc__)
    out, epoch, items = argv[1], int(argv[2]), [item.split("=", 1) for item in argv[3:]]
    stamp = time.gmtime(max(epoch, 315532800))[:6]  # a zip time cannot lie before 1980
    folders = set()
    with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
        for name, path in items:
            folder = name.rpartition("/")[0]
            if folder and folder not in folders:
                folders.add(folder)
                archive.writestr(entry(folder + "/", stamp, FOLDER_MODE), b"")
            with open(path, "rb") as source:
                data = source.read()
            archive.writestr(entry(name, stamp, FILE_MODE), data, zipfile.ZIP_DEFLATED, 9)


if __name__ == "__main__":
    main(sys.argv)
