#!/usr/bin/env bash
# Runs one scenario of the end-to-end driver under Xvfb. The window scenario also keeps
# a screenshot of the window: <build>/artifacts/korvan3_window.png.
source "$(dirname "$0")/../wine/wine_env.sh"
scenario=$1
artifacts="$build_dir/artifacts"
mkdir -p "$artifacts"
log="$artifacts/e2e_$scenario.log"
extra=()
if [ "$scenario" = window ]; then
  extra=("$(windows_path "$artifacts/korvan3_window.bmp")")
fi
rc=0
in_xvfb 1024x768x24 run_wine "$WINE_BIN_DIR/e2e_driver.exe" "$scenario" \
  "$(windows_path "$WINE_BIN_DIR/KORVAN3.exe")" "$(windows_path "$log")" "${extra[@]}" || rc=$?
if [ -f "$artifacts/korvan3_window.bmp" ]; then
  convert "$artifacts/korvan3_window.bmp" "$artifacts/korvan3_window.png" && rm -f "$artifacts/korvan3_window.bmp"
fi
exit $rc
