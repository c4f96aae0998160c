#!/usr/bin/env bash
# Prints the program's figures under Wine, with the stand-in HID2.DLL in test mode:
# exe size, start-up times, click round trips (median of 200), port writes per screen,
# peak working set. Builds first (after setup); the i686 exe's size is printed too.
set -euo pipefail
cd "$(dirname "$0")/.."
source tests/support/helpers.sh
bash scripts/setup.sh
for preset in win32 win64; do
  cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" >/dev/null
done
echo "KORVAN3.exe (i686): $(stat -c %s build/win32/bin/KORVAN3.exe) bytes (target: at most 65536)"
bin=build/win32/bin
if ! runs_32bit_wine; then
  echo "this kernel cannot run 32-bit code: measuring the x86_64 build of the same sources"
  bin=build/win64/bin
fi
export WINE_BIN_DIR=$PWD/$bin
source tests/wine/wine_env.sh
in_xvfb 1024x768x24 run_wine "$WINE_BIN_DIR/benchmark.exe" \
  "$(windows_path "$WINE_BIN_DIR/KORVAN3.exe")" "$(windows_path "$build_dir/benchmark.log")"
