#!/usr/bin/env python3
"""A user at hid2check --wiring who answers each question from what the simulated LCD shows.

    answer_wiring.py WINE_LOADER HID2CHECK LCDSIM [hid2check's other arguments]

Runs hid2check --wiring --lang en; at each "answer: " it reads the display from
LCDSIM --print and picks the choice that says what a person sees there: nothing changed
since the last look, the row 0 text quoted, the boxes, the blank display, or other
characters, which it then types as row 0 shows them ('?' for a character outside ASCII).
Prints the dialogue as hid2check wrote it; exits with hid2check's exit code.
"""
import os
import re
import subprocess
import sys

loader, hid2check, lcdsim = sys.argv[1:4]
environment = dict(os.environ, LANG="ja_JP.UTF-8", LC_ALL="ja_JP.UTF-8")
BOX = "\u2588"


def display():
    printed = subprocess.run([loader, lcdsim, "--print"], env=environment, check=True,
                             capture_output=True).stdout.decode("utf-8")
    rows = printed.replace("\r", "").split("\n")
    return rows[0], rows[1]


def pick(choices, rows, before):
    row0, row1 = rows
    shown = row0.strip()
    wanted = None
    if rows == before:
        wanted = "nothing changed"
    for number, text in choices:
        quoted = re.fullmatch(r'row 0 reads "(.*)"', text)
        if not wanted and quoted and quoted.group(1) == shown:
            return number
    if wanted:
        pass
    elif not shown and not row1.strip():
        wanted = "the display is blank"
    elif row0 == BOX * 16 and (not row1.strip() or row1 == BOX * 16):
        wanted = "dark boxes"
    else:
        wanted = "other characters"
    for number, text in choices:
        if text.startswith(wanted):
            return number
    return "0"


def typable(row0):
    return "".join(c if ord(c) < 0x80 else "?" for c in row0.strip())


before = display()
checker = subprocess.Popen([loader, hid2check, "--wiring", "--lang", "en", *sys.argv[4:]],
                           stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                           stderr=subprocess.STDOUT, env=environment)
said = ""
asked_from = 0
while True:
    chunk = os.read(checker.stdout.fileno(), 4096)
    if not chunk:
        break
    said += chunk.decode("utf-8").replace("\r", "")
    if said.endswith("answer: "):
        question = said[asked_from:]
        choices = re.findall(r"^  (\d+)  (.*)$", question, re.M)
        rows = display()
        answer = pick(choices, rows, before)
        before = rows
    elif said.endswith("(or just Enter): "):
        answer = typable(rows[0])
    else:
        continue
    said += answer + "\n"
    asked_from = len(said)
    checker.stdin.write(f"{answer}\r\n".encode())
    checker.stdin.flush()
print(said, end="")
sys.exit(checker.wait())
