#!/usr/bin/env python3
"""Turns a text of the repository into one that Windows' Notepad shows right: UTF-8 with
a byte order mark and CRLF line ends.

    windows_text.py IN OUT

A Markdown file (.md) also loses its pictures, which a text file cannot show, and its
links keep their text and target, with README.md and README.ja.md becoming the .txt
files that lie beside it in the download."""

import re
import sys

PICTURE_LINE = re.compile(r"^\s*!\[[^\]]*\]\([^)]*\)\s*$")
LINK = re.compile(r"\[([^\]]+)\]\(([^)]+)\)")
TXT_NAMES = {"README.md": "README.txt", "README.ja.md": "README.ja.txt", "LICENSE": "LICENSE.txt"}


def plain_link(match):
    text, target = (TXT_NAMES.get(part, part) for part in match.groups())
    return text if text == target else f"{text} ({target})"


def from_markdown(lines):
    kept = []
    for line in lines:
        if PICTURE_LINE.match(line):
            # Drop the picture and the blank line it leaves behind.
            if kept and kept[-1] == "":
                kept.pop()
            continue
        kept.append(LINK.sub(plain_link, line))
    return kept


def main(argv):
    if len(argv) != 3:
        sys.exit(__doc__)
    with open(argv[1], encoding="utf-8") as source:
        lines = source.read().splitlines()
    if argv[1].endswith(".md"):
        lines = from_markdown(lines)
    with open(argv[2], "wb") as out:
        out.write(b"\xef\xbb\xbf" + "".join(line + "\r\n" for line in lines).encode("utf-8"))


if __name__ == "__main__":
    main(sys.argv)
