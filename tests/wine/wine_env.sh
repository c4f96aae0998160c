# Sourced by the tests and scripts that run Windows programs under Wine.
#   WINE_BIN_DIR  the build's bin folder (exe, stand-in DLL, test programs)
# Sets WINEPREFIX (inside the build folder) and WINEDEBUG, and defines, beside the shared
# test helpers, run_wine, which runs a program in the Japanese locale (code page 932),
# windows_path, the X server wrappers, the wait for the simulator and the expected
# screens. Exits 77 (skipped) when this host cannot run the build's code: a kernel
# without 32-bit support cannot run the i686 build, the win64 preset covers it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../support/helpers.sh"

: "${WINE_BIN_DIR:?}"
build_dir=$(cd "$WINE_BIN_DIR/.." && pwd)
export WINEDEBUG=-all
export LC_ALL=C
export WINEDLLOVERRIDES="mscoree,mshtml="

if [ "$(pe_machine "$WINE_BIN_DIR/HID2.DLL")" = i686 ]; then
  export WINEARCH=win32 WINEPREFIX="$build_dir/wineprefix"
  WINE_LOADER=/usr/lib/wine/wine
  if ! runs_32bit_wine; then
    echo "skipped: this kernel cannot run 32-bit code (the win64 preset runs these tests)"
    exit 77
  fi
else
  export WINEARCH=win64 WINEPREFIX="$build_dir/wineprefix"
  WINE_LOADER=/usr/lib/wine/wine64
fi
export WINE_LOADER

# The prefix is made once per build folder; concurrent tests wait for each other.
(
  flock 9
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$WINE_LOADER" wineboot -i >/dev/null 2>&1 || true
    /usr/lib/wine/wineserver -w || true
  fi
) 9>"$build_dir/wineprefix.lock"

run_wine() { LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 "$WINE_LOADER" "$@"; }
# The Windows name Wine gives a Unix path (drive Z: is the Unix root).
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# in_xvfb SCREEN COMMAND [ARGS...]: runs the command, which may be run_wine, under an X
# server of its own, of that screen (WIDTHxHEIGHTxDEPTH), and ends what Wine still runs
# there before the server goes; the command's exit status.
in_xvfb() {
  local screen=$1
  shift
  # xvfb-run is a POSIX shell script and passes no exported bash function on: the shell
  # it starts is given run_wine in its script.
  xvfb-run -a -s "-screen 0 $screen" bash -c "$(declare -f run_wine)"'
    "$@"; status=$?; /usr/lib/wine/wineserver -k 2>/dev/null; exit $status' in_xvfb "$@"
}

# rerun_under_xvfb SCREEN [ARGS...]: unless this script already runs under its own X
# server, runs it again there with ARGS (in_xvfb SCREEN bash "$0" ARGS...) and exits with
# that run's status. What comes before the call runs in both.
rerun_under_xvfb() {
  if [ -n "${UNDER_XVFB:-}" ]; then
    return 0
  fi
  local screen=$1 status=0
  shift
  UNDER_XVFB=1 in_xvfb "$screen" bash "$0" "$@" || status=$?
  exit "$status"
}

# await_simulator: waits until the running LCDSIM.exe answers --print; false if it does
# not within 20 s.
await_simulator() {
  local deadline=$((SECONDS + 20))
  until run_wine "$WINE_BIN_DIR/LCDSIM.exe" --print >/dev/null 2>&1; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

# expected MODE STEP...: the program's screens as the tests expect them: their writes, the
# count of them, the open attempts without a board, or what the display shows (the modes
# and steps are those of tests/support/expected.cpp).
expected() {
  run_wine "$WINE_BIN_DIR/expected.exe" "$@" || { echo "FAIL: expected.exe $*: exit $?" >&2; return 1; }
}
# What abi_probe.exe shows, in the steps expected.exe takes (tests/wine/abi_probe.cpp).
ABI_PROBE_STEPS=(bringup splash text 'A\xCA' '' datetime goodbye)
