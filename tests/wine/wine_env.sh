# Sourced by the tests that run Windows programs under Wine.
#   WINE_BIN_DIR  the build's bin folder (exe, stand-in DLL, test programs)
# Sets WINEPREFIX (inside the build folder) and WINEDEBUG, and defines run_wine, which
# runs a program in the Japanese locale (code page 932), and windows_path. Exits 77
# (skipped) when this host cannot run the build's code: a kernel without 32-bit support
# cannot run the i686 build, the win64 preset covers it.
set -euo pipefail

: "${WINE_BIN_DIR:?}"
build_dir=$(cd "$WINE_BIN_DIR/.." && pwd)
export WINEDEBUG=-all
export LC_ALL=C
export WINEDLLOVERRIDES="mscoree,mshtml="

machine=$(od -An -tx1 -j "$(( $(od -An -tu4 -j60 -N4 "$WINE_BIN_DIR/HID2.DLL") + 4 ))" -N2 \
          "$WINE_BIN_DIR/HID2.DLL" | tr -d ' ')
if [ "$machine" = "4c01" ]; then
  export WINEARCH=win32 WINEPREFIX="$build_dir/wineprefix"
  WINE_LOADER=/usr/lib/wine/wine
  if ! "$WINE_LOADER" --version >/dev/null 2>&1; then
    echo "skipped: this kernel cannot run 32-bit code (the win64 preset runs these tests)"
    exit 77
  fi
else
  export WINEARCH=win64 WINEPREFIX="$build_dir/wineprefix"
  WINE_LOADER=/usr/lib/wine/wine64
fi

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
