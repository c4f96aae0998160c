#!/usr/bin/env bash
# Capture through the stand-in: with HID2_FORWARD naming another library (here the
# stand-in itself, renamed as a user renames the maker's, in either calling convention)
# every call is passed on, its result returned, and the log holds the same lines as a
# run that records directly; a library that only records shows what arrives there.
source "$(dirname "$0")/wine_env.sh"

work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
screens=(bringup splash text "ab" "\xCA" write 77 2 5 goodbye)
# The scripted opens: absent twice, then a handle whose low 16 bits are 0x8000.
export HID2_INIT="0,0,0x12348000"

run_probe() { : >"$1"; HID2_LOG="$1" run_wine "$WINE_BIN_DIR/screens_probe.exe" "${screens[@]}"; }
calls() { cut -d' ' -f2- "$1"; }

run_probe "$work/direct.log" || fail "direct run"
[ "$(grep -c ' Hidwrite ' "$work/direct.log")" -gt 200 ] || fail "direct run: too few writes"
for convention in stdcall cdecl; do
  mkdir -p "$work/$convention"
  dll=$WINE_BIN_DIR/HID2.DLL; [ "$convention" = cdecl ] && dll=$WINE_BIN_DIR/cdecl/HID2.DLL
  cp "$dll" "$work/$convention/HID2REAL.DLL"
  HID2_FORWARD=$(windows_path "$work/$convention/HID2REAL.DLL") run_probe "$work/$convention.log" ||
    fail "forwarding to the $convention library"
  diff <(calls "$work/direct.log") <(calls "$work/$convention.log") >"$work/diff" ||
    fail "forwarding to the $convention library logs other lines: $(head -n 8 "$work/diff")"
done

# A library that records what reaches it, in either convention. A write passed on as the
# first call, from a stack that holds other values, arrives with all three arguments; a
# read, which the program never makes, is passed on by the stand-in and answered.
recorded=$work/recorded.log
passing_on() { HID2_FORWARD=$library RECORDED_CALLS=$recorded run_wine "$@" | tr -d '\r'; }
for convention in stdcall cdecl; do
  library=$(windows_path "$WINE_BIN_DIR/recording/$convention/HID2REC.DLL")
  : >"$recorded"
  printed=$(passing_on "$WINE_BIN_DIR/forward_probe.exe") || fail "forward probe, $convention"
  [ "$printed" = "Hidwrite -32768 1 195 -> 1" ] || fail "forward probe, $convention: $printed"
  [ "$(cat "$recorded")" = "Hidwrite -32768 1 195" ] ||
    fail "the $convention library was passed: $(cat "$recorded")"
  : >"$recorded"
  answer=$(passing_on "$WINE_BIN_DIR/screens_probe.exe" read 4660 2) ||
    fail "read through the stand-in, $convention"
  [ "$(cat "$recorded")" = "Hidread 4660 2" ] ||
    fail "read, the $convention library was passed: $(cat "$recorded")"
  [ "$answer" = 165 ] || fail "read, $convention: answered $answer, not the library's 165"
done

# A library that cannot be loaded answers as an absent board.
: >"$work/none.log"
HID2_FORWARD='Z:\nowhere\HID2REAL.DLL' HID2_LOG="$work/none.log" run_wine "$WINE_BIN_DIR/screens_probe.exe" bringup ||
  fail "forwarding to a missing library"
[ "$(grep -c ' hidinit 0$' "$work/none.log")" = "$(expected opens bringup)" ] ||
  fail "missing library: $(head -n 3 "$work/none.log")"
grep -q ' Hidwrite ' "$work/none.log" && fail "missing library: writes without a board"
echo "ok"
