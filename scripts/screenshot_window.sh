#!/usr/bin/env bash
# Takes docs/window.png: KORVAN3's window beside the simulator's after the splash, with
# window frames drawn by openbox, under Xvfb. Builds nothing: give it the bin folder of a
# Windows build that Wine can run here (default build/ci-win64/bin; a kernel without
# 32-bit support runs the x86_64 build of the same sources) and, optionally, where to
# save the picture and the simulator's language (en, the default, as in docs/, or ja).
# Needs xdotool and openbox (apt-get install xdotool openbox). Uses the build's Wine
# prefix: do not run it while that build's tests run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
WINE_BIN_DIR=$(cd "${1:-$root/build/ci-win64/bin}" && pwd)
export WINE_BIN_DIR
out=$(realpath -m "${2:-$root/docs/window.png}")
language=${3:-en}
for tool in xdotool openbox; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: apt-get install xdotool openbox"; exit 1; }
done
source "$root/tests/wine/wine_env.sh"
unset HID2_LOG HID2_INIT
rerun_under_xvfb 1024x600x24 "$WINE_BIN_DIR" "$out" "$language"

openbox >/dev/null 2>&1 &
wm_pid=$!
sim() { run_wine "$WINE_BIN_DIR/LCDSIM.exe" --lang "$language" "$@"; }
sim --at 400 20 >/dev/null 2>&1 &
sim_pid=$!
trap 'run_wine taskkill /im KORVAN3.exe >/dev/null 2>&1 || true; sim --quit >/dev/null 2>&1 || true
      wait $sim_pid || true; kill $wm_pid 2>/dev/null || true' EXIT
await_simulator || true

run_wine "$WINE_BIN_DIR/KORVAN3.exe" >/dev/null 2>&1 &
splash=$(expected display splash)
for _ in $(seq 100); do
  [ "$(sim --print 2>/dev/null | head -n 2)" = "$splash" ] && break
  sleep 0.1
done
korvan=$(xdotool search --sync --name '^KORVAN3$' | head -n1)
xdotool windowmove "$korvan" 20 20
xdotool windowmove "$(xdotool search --name '^LCDSIM' | head -n1)" 390 20
# The simulator's window redraws on a timer; give both time to show the last writes.
sleep 1.5

# The frames are the windows' parents. Each frame is cut out of the screen and the two
# are laid on a plain background, as they stand on the screen.
frame_box() {
  local parent
  parent=$(xwininfo -children -id "$1" | awk '/Parent window id:/{print $4}')
  xwininfo -id "$parent" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
    /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}'
}
work=$(mktemp -d)
layers=() left=100000 top=100000 right=0 bottom=0
for window in "$korvan" "$(xdotool search --name '^LCDSIM' | head -n1)"; do
  read -r x y w h < <(frame_box "$window")
  import -window root -crop "${w}x${h}+$x+$y" +repage "$work/$window.png"
  layers+=("$work/$window.png" -geometry "+$x+$y" -composite)
  left=$((x < left ? x : left)) top=$((y < top ? y : top))
  right=$((x + w > right ? x + w : right)) bottom=$((y + h > bottom ? y + h : bottom))
done
margin=12
mkdir -p "$(dirname "$out")"
/usr/bin/convert -size 1024x600 xc:'#dfe3e8' "${layers[@]}" \
  -crop "$((right - left + 2 * margin))x$((bottom - top + 2 * margin))+$((left - margin))+$((top - margin))" \
  +repage -strip "$out"
rm -rf "$work"
echo "saved $out"
