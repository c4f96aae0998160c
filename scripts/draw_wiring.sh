#!/usr/bin/env bash
# Draws docs/wiring.png, the wiring of the LCD to the USB-IO board, from the tables in
# tools/draw_wiring.py (ImageMagick renders its draw script; fonts-dejavu-core).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/docs/wiring.png}
python3 "$root/tools/draw_wiring.py" | /usr/bin/convert mvg:- -strip -colors 64 PNG8:"$out"
echo "saved $out"
