#!/usr/bin/env bash
# Takes docs/simulator.png: the simulator's window with the splash on its display, as
# bring-up and splash leave it. Builds nothing: give it the bin folder of a Windows
# build that Wine can run here (default build/ci-win64/bin) and, optionally, where to
# save the picture and the simulator's language (en, the default, as in docs/, or ja).
# Uses the build's Wine prefix: do not run it while that build's tests run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
WINE_BIN_DIR=$(cd "${1:-$root/build/ci-win64/bin}" && pwd)
export WINE_BIN_DIR
out=$(realpath -m "${2:-$root/docs/simulator.png}")
language=${3:-en}
source "$root/tests/wine/wine_env.sh"
rerun_under_xvfb 800x600x24 "$WINE_BIN_DIR" "$out" "$language"

sim() { run_wine "$WINE_BIN_DIR/LCDSIM.exe" --lang "$language" "$@"; }
sim >/dev/null 2>&1 &
sim_pid=$!
trap 'sim --quit >/dev/null 2>&1 || true; wait $sim_pid || true' EXIT
await_simulator || true
run_wine "$WINE_BIN_DIR/screens_probe.exe" bringup splash
# The window redraws on a timer; give it time to show the last writes.
sleep 1

window=$(xdotool search --sync --name '^LCDSIM' | head -n1)
eval "$(xdotool getwindowgeometry --shell "$window")"
mkdir -p "$(dirname "$out")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out"
echo "saved $out (${WIDTH}x${HEIGHT})"
