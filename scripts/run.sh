#!/usr/bin/env bash
# Installs what is missing, builds, and runs KORVAN3.exe under Wine beside the simulated
# USB-IO board and display (LCDSIM.exe), with the stand-in HID2.DLL between them.
# With a desktop (DISPLAY set) both windows open for real; close KORVAN3 to end.
# Without one, both run under Xvfb: the script shows the splash, clicks nothing, saves a
# screenshot to build/run/screen.png, prints what the display shows, closes the window
# and prints the display again (the goodbye line).
set -euo pipefail
cd "$(dirname "$0")/.."
source tests/support/helpers.sh
if [ "${1:-}" != --session ]; then
  bash scripts/setup.sh >/dev/null
fi

preset=win32
if ! runs_32bit_wine; then
  [ "${1:-}" = --session ] ||
    echo "note: this kernel cannot run 32-bit code; running the x86_64 build of the same sources"
  preset=win64
fi
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" >/dev/null
export WINE_BIN_DIR=$PWD/build/$preset/bin
source tests/wine/wine_env.sh
unset HID2_LOG HID2_INIT
mkdir -p build/run

session() {
  # Beside KORVAN3's window, which opens at the system's default place.
  run_wine "$WINE_BIN_DIR/LCDSIM.exe" --at 380 0 &
  await_simulator || true
  if [ -n "${HEADLESS:-}" ]; then
    run_wine "$WINE_BIN_DIR/KORVAN3.exe" &
    sleep 3
    import -window root build/run/screen.png
    echo "screenshot: build/run/screen.png"
    echo "the display after the splash:"
    run_wine "$WINE_BIN_DIR/LCDSIM.exe" --print
    run_wine taskkill /im KORVAN3.exe >/dev/null 2>&1 || true
    wait %2 2>/dev/null || true
    echo "the display after KORVAN3 closed:"
    run_wine "$WINE_BIN_DIR/LCDSIM.exe" --print
    run_wine "$WINE_BIN_DIR/LCDSIM.exe" --quit || true
  else
    run_wine "$WINE_BIN_DIR/KORVAN3.exe"
    echo "the display after KORVAN3 closed (close LCDSIM to end):"
    run_wine "$WINE_BIN_DIR/LCDSIM.exe" --print || true
  fi
  wait
}

if [ -n "${DISPLAY:-}" ]; then
  session
else
  HEADLESS=1 rerun_under_xvfb 1024x768x24 --session
fi
