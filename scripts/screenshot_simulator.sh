#!/usr/bin/env bash
# Takes docs/simulator.png: the simulator's window with the splash on its display, as
# bring-up and splash leave it, in its frame drawn by openbox (title, icon and buttons).
# Builds nothing: give it the bin folder of a Windows build that Wine can run here
# (default build/ci-win64/bin) and, optionally, where to save the picture and the
# simulator's language (en, the default, as in docs/, or ja).
# Needs xdotool and openbox (apt-get install xdotool openbox). Uses the build's Wine
# prefix: do not run it while that build's tests run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
WINE_BIN_DIR=$(cd "${1:-$root/build/ci-win64/bin}" && pwd)
export WINE_BIN_DIR
out=$(realpath -m "${2:-$root/docs/simulator.png}")
language=${3:-en}
for tool in xdotool openbox; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: apt-get install xdotool openbox"; exit 1; }
done
source "$root/tests/wine/wine_env.sh"
rerun_under_xvfb 800x600x24 "$WINE_BIN_DIR" "$out" "$language"

openbox >/dev/null 2>&1 &
wm_pid=$!
sim() { run_wine "$WINE_BIN_DIR/LCDSIM.exe" --lang "$language" "$@"; }
sim --at 20 20 >/dev/null 2>&1 &
sim_pid=$!
trap 'sim --quit >/dev/null 2>&1 || true; wait $sim_pid || true; kill $wm_pid 2>/dev/null || true' EXIT
await_simulator || true
run_wine "$WINE_BIN_DIR/screens_probe.exe" bringup splash
# The window redraws on a timer; give it time to show the last writes.
sleep 1

window=$(xdotool search --sync --name '^LCDSIM' | head -n1)
mkdir -p "$(dirname "$out")"
import -window "$window" -frame -strip "$out"
echo "saved $out ($(identify -format %wx%h "$out"))"
