#!/usr/bin/env python3
"""Turns a text of the repository into one that Windows' Notepad shows right: UTF-8 with
a byte order mark and CRLF line ends.

    windows_text.py IN OUT"""

import sys


def main(argv):
    if len(argv) != 3:
        sys.exit(__doc__)
    with open(argv[1], encoding="utf-8") as source:
        lines = source.read().splitlines()
    with open(argv[2], "wb") as out:
        out.write(b"\xef\xbb\xbf" + "".join(line + "\r\n" for line in lines).encode("utf-8"))


if __name__ == "__main__":
    main(sys.argv)
