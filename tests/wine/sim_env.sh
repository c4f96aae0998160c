#!/usr/bin/env bash
# Sourced by the tests that drive LCDSIM.exe: runs the test under Xvfb, and gives it a
# work folder, the simulator and the screens probe, and a hidden simulator to start and
# quit. There is one simulator per Wine prefix: such tests run one at a time.
source "$(dirname "$0")/wine_env.sh"
rerun_under_xvfb 1280x1024x24 "$@"

bin=$WINE_BIN_DIR
work=$(mktemp -d)
sim_pid=
sim() { run_wine "$bin/LCDSIM.exe" "$@"; }
probe() { run_wine "$bin/screens_probe.exe" "$@"; }
cleanup() {
  [ -n "$sim_pid" ] && { sim --quit >/dev/null 2>&1; wait "$sim_pid"; }
  timeout 20 /usr/lib/wine/wineserver -w || true
  rm -rf "$work"
}
trap cleanup EXIT

# start_sim ARGS: a hidden simulator, once it answers --print.
start_sim() {
  sim --hidden "$@" >"$work/sim.out" 2>&1 &
  sim_pid=$!
  await_simulator || fail "the simulator did not answer after starting"
}
quit_sim() {
  sim --quit || fail "--quit: exit $?"
  wait "$sim_pid" || fail "the simulator exited with $?"
  sim_pid=
}
