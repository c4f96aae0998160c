#!/usr/bin/env python3
"""Fails if a Markdown text breaks a paragraph across lines.

    check_paragraph_lines.py FILE...

Japanese has no spaces between words: a paragraph wrapped onto a second line shows a
stray space on GitHub and a line break in Notepad. So each paragraph, list item and
table row must be one line. A line continues the paragraph above it when both hold
text: neither is blank, a heading, a table row, a picture or code (indented by four
spaces after a blank line, or fenced), and the lower one starts no list item."""

import re
import sys

LIST_ITEM = re.compile(r"^\s*([-*+]|\d+[.)])\s")
BLOCK_START = re.compile(r"^\s*(#|\||!\[)")


def broken_lines(lines):
    """(number, line) of every line that continues the paragraph of the line above."""
    found = []
    in_fence = False
    in_code = False
    previous_text = False
    previous_blank = True
    for number, line in enumerate(lines, 1):
        if line.lstrip().startswith("```"):
            in_fence = not in_fence
            previous_text, previous_blank = False, False
            continue
        blank = line.strip() == ""
        in_code = not blank and (in_code or previous_blank) and line.startswith("    ")
        text = not (in_fence or blank or in_code or BLOCK_START.match(line))
        if text and previous_text and not LIST_ITEM.match(line):
            found.append((number, line))
        previous_text, previous_blank = text, blank
    return found


def main(argv):
    if len(argv) < 2:
        sys.exit(__doc__)
    failures = 0
    for path in argv[1:]:
        with open(path, encoding="utf-8") as source:
            lines = source.read().splitlines()
        for number, line in broken_lines(lines):
            print(f"{path}:{number}: continues the paragraph above; keep it on one line: {line}")
            failures += 1
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
