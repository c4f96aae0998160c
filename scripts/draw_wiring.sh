#!/usr/bin/env bash
# Draws the wiring of the LCD to the USB-IO board from the tables in tools/draw_wiring.py
# (ImageMagick renders its draw script; fonts-dejavu-core, fonts-ipafont-gothic):
# docs/wiring.png in English and docs/wiring-ja.png in Japanese, or with a language
# (en or ja) that one alone, into the file given after it.
#   draw_wiring.sh [en|ja [png]]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
draw() {
  python3 "$root/tools/draw_wiring.py" "$1" | /usr/bin/convert mvg:- -strip -colors 64 PNG8:"$2"
  echo "saved $2"
}
if [ $# -eq 0 ]; then
  draw en "$root/docs/wiring.png"
  draw ja "$root/docs/wiring-ja.png"
else
  case $1 in
    en) draw en "${2:-$root/docs/wiring.png}" ;;
    ja) draw ja "${2:-$root/docs/wiring-ja.png}" ;;
    *) echo "usage: draw_wiring.sh [en|ja [png]]" >&2; exit 2 ;;
  esac
fi
