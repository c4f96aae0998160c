#!/usr/bin/env bash
# hid2check.exe against each kind of library a user may have: its findings, its verdict
# (always the last line) and its exit code; with --live the convention it names, and
# what reached the stand-in: one open, harmless writes, then the program's own bring-up.
source "$(dirname "$0")/../wine/wine_env.sh"
set +e

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
bin=$(cd "$WINE_BIN_DIR" && pwd)

mkdir -p "$work/text" "$work/program"
echo "not a library" >"$work/text/HID2.DLL"
cp "$bin/KORVAN3.exe" "$work/program/HID2.DLL"
if [ "$WINEARCH" = win32 ]; then
  own=32-bit other=64-bit stdcall=stdcall cdecl=cdecl
else
  own=64-bit other=32-bit stdcall=x64 cdecl=x64
fi

# check <what> <expected exit> <expected lines (extended regexes, one a line)> [arguments...]
check() {
  local what=$1 expected=$2 lines=$3; shift 3
  local output rc line
  output=$(run_wine "$bin/hid2check.exe" "$@" 2>&1 | tr -d '\r'); rc=${PIPESTATUS[0]}
  [ "$rc" = "$expected" ] || fail "$what: exit $rc, expected $expected"$'\n'"$output"
  while read -r line; do
    grep -qE "$line" <<<"$output" || fail "$what: no line matching '$line'"$'\n'"$output"
  done <<<"$lines"
  if [ "$expected" != 2 ] && [ "${1:-}" != --help ]; then
    tail -n1 <<<"$output" | grep -q '^verdict: ' || fail "$what: the last line is not the verdict"
  fi
}

check "beside it" 0 '^library: .*\\bin\\HID2\.DLL$'
check "stdcall" 0 '^verdict: KORVAN3\.exe will load this library' "$(windows_path "$bin/HID2.DLL")"
check "cdecl" 0 '^Hidread: exported$' "$(windows_path "$bin/cdecl/HID2.DLL")"
check "decorated" 1 '^load: loads$
^hidinit: not exported under that name; the library has _hidinit@0 \(a decorated name
^verdict: KORVAN3\.exe will not start .*it needs hidinit, Hidwrite, Hidread under exactly those names$' \
  "$(windows_path "$bin/variants/decorated/HID2.DLL")"
check "without Hidread" 1 '^Hidwrite: exported$
^Hidread: not exported$' "$(windows_path "$bin/variants/without-hidread/HID2.DLL")"
check "unloadable" 1 '^load: fails: .*\(error 126\)$
^hidinit: exported$
^verdict: KORVAN3\.exe will not start with this library: Windows cannot load it' \
  "$(windows_path "$bin/variants/unloadable/HID2.DLL")"
check "other machine" 1 "^format: $other library; KORVAN3\\.exe is $own and cannot load it$" \
  "$(windows_path "$bin/variants/other-machine/HID2.DLL")"
check "not a library" 1 '^format: not a Windows library$' "$(windows_path "$work/text/HID2.DLL")"
check "a program" 1 '^format: a Windows program, not a library$' "$(windows_path "$work/program/HID2.DLL")"
check "no file" 1 '^file: not found$' "$(windows_path "$work/none/HID2.DLL")"
check "unknown option" 2 "unexpected argument '--bogus'" --bogus
check "two paths" 2 "unexpected argument 'b'" a b
check "help" 0 '^Exit codes: ' --help

# Live, with the stand-in recording what the checker sends.
export HID2_LOG="$work/live.log"
for convention in stdcall cdecl; do
  : >"$HID2_LOG"
  dll=$bin/HID2.DLL; [ "$convention" = cdecl ] && dll=$bin/cdecl/HID2.DLL
  check "live, $convention" 0 "^convention: ${!convention} " --live "$(windows_path "$dll")"
  [ "$(grep -c ' hidinit ' "$HID2_LOG")" = 1 ] || fail "live, $convention: hidinit calls: $(grep -c ' hidinit ' "$HID2_LOG")"
  grep -q ' Hidread ' "$HID2_LOG" && fail "live, $convention: Hidread was called"
  pairs=$(awk '$2=="Hidwrite"{printf "%s,%s ", $4, $5}' "$HID2_LOG")
  probes=$(printf '2,0 %.0s' $(seq 65))
  bringup="1,48 2,2 2,10 2,2 1,48 2,2 2,10 2,2 1,48 2,2 2,10 2,2 1,56 2,2 2,10 2,2 1,12 2,2 2,10 2,2 1,1 2,2 2,10 2,2 1,6 2,2 2,10 2,2 2,0 1,1 2,0 2,8 2,0 1,128 2,0 2,8 2,0 1,104 2,1 2,9 2,1 "
  [ "${pairs:0:$(( ${#probes} + ${#bringup} ))}" = "$probes$bringup" ] ||
    fail "live, $convention: writes ${pairs:0:400}"
done
: >"$HID2_LOG"
HID2_INIT=0 check "live, no board" 3 '^board: no board answered \(hidinit returned 0\)$' --live
grep -q ' Hidwrite ' "$HID2_LOG" && fail "live, no board: a write without a board"
check "live, decorated" 1 '^verdict: KORVAN3\.exe will not start' --live "$(windows_path "$bin/variants/decorated/HID2.DLL")"

[ "$failures" = 0 ] && echo "ok"
[ "$failures" = 0 ]
