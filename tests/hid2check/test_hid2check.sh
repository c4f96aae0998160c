#!/usr/bin/env bash
# hid2check.exe against each kind of library a user may have: its findings, its verdict
# (always the last line) and its exit code; with --live the convention it names, and
# what reached the stand-in: one open, harmless writes, then the program's own bring-up
# and the test screen.
# Libraries that crash, hang or are slow; the one Windows finds in the system folder;
# and the findings in Japanese. The findings are read in English (--lang en) elsewhere.
source "$(dirname "$0")/../wine/wine_env.sh"
set +e

# Every check runs, whatever failed before it.
count_failures
work=$(mktemp -d)
bin=$(cd "$WINE_BIN_DIR" && pwd)
system_dll="$WINEPREFIX/drive_c/windows/system32/HID2.DLL"
trap 'rm -rf "$work" "$system_dll"' EXIT
lang=(--lang en)

mkdir -p "$work/text" "$work/program"
echo "not a library" >"$work/text/HID2.DLL"
cp "$bin/KORVAN3.exe" "$work/program/HID2.DLL"
if [ "$WINEARCH" = win32 ]; then
  own=32-bit other=64-bit stdcall=stdcall cdecl=cdecl
else
  own=64-bit other=32-bit stdcall=x64 cdecl=x64
fi

# check <what> <expected exit> <expected lines (extended regexes, one a line)> [arguments...]
# The run takes at most $max_seconds (40) and at least $min_seconds (0).
check() {
  local what=$1 expected=$2 lines=$3; shift 3
  local rc line
  local started=$SECONDS
  output=$(run_wine "${hid2check:-$bin/hid2check.exe}" "${lang[@]}" "$@" 2>&1 | tr -d '\r')
  rc=${PIPESTATUS[0]}
  local took=$((SECONDS - started))
  [ "$took" -le "${max_seconds:-40}" ] || fail "$what: $took s, more than ${max_seconds:-40} s"
  [ "$took" -ge "${min_seconds:-0}" ] || fail "$what: $took s, less than ${min_seconds:-0} s"
  [ "$rc" = "$expected" ] || fail "$what: exit $rc, expected $expected"$'\n'"$output"
  while read -r line; do
    grep -qE "$line" <<<"$output" || fail "$what: no line matching '$line'"$'\n'"$output"
  done <<<"$lines"
  if [ "$expected" != 2 ] && [ "${1:-}" != --help ]; then
    tail -n1 <<<"$output" | grep -qE '^(verdict|判定): ' || fail "$what: the last line is not the verdict"
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
for option in "" --live; do
  for variant in forwarded forwarded-hidread; do
    check "$variant to nowhere $option" 1 '^load: fails: .*\(error 127\)$
^verdict: KORVAN3\.exe will not start with this library: Windows cannot load it' \
      $option "$(windows_path "$bin/variants/$variant/HID2.DLL")"
  done
done
check "other machine" 1 "^format: $other library; KORVAN3\\.exe is $own and cannot load it$" \
  "$(windows_path "$bin/variants/other-machine/HID2.DLL")"
check "not a library" 1 '^format: not a Windows library$' "$(windows_path "$work/text/HID2.DLL")"
check "a program" 1 '^format: a Windows program, not a library$' "$(windows_path "$work/program/HID2.DLL")"
check "no file" 1 '^file: not found$' "$(windows_path "$work/none/HID2.DLL")"
mkdir -p "$work/huge" && truncate -s 300M "$work/huge/HID2.DLL"
check "too large" 1 '^file: cannot be read \(.+\)$' "$(windows_path "$work/huge/HID2.DLL")"
grep -qi '^file: .*success' <<<"$output" && fail "too large: the reason given is success"$'\n'"$output"
check "unknown option" 2 "unexpected argument '--bogus'" --bogus
grep -q "unexpected argument '--bogus'" <<<"$(run_wine "$bin/hid2check.exe" "${lang[@]}" --bogus 2>&1 >/dev/null)" ||
  fail "unknown option: the error is not on the standard error"
check "two paths" 2 "unexpected argument 'b'" a b
check "help" 0 '^Exit codes:$
^  3  with --live, --wiring, --lines or --record: the library is fine, but no board$' --help

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
  [ "$pairs" = "$probes$(expected writes bringup text "hid2check OK" "${!convention}")" ] ||
    fail "live, $convention: writes ${pairs:0:400}"
done
: >"$HID2_LOG"
HID2_INIT=0 check "live, no board" 3 '^board: no board answered \(hidinit returned 0\)$' --live
grep -q ' Hidwrite ' "$HID2_LOG" && fail "live, no board: a write without a board"
HID2_INIT=0x12348000 check "live, bit 15 set" 0 '^board: answered, handle -32768$
^timing: one Hidwrite takes [0-9]+\.[0-9]{3} ms \(median of 64; ' --live

# Libraries that misbehave: the checker survives them and says which call did what.
faulty=$(windows_path "$bin/variants/faulty/HID2.DLL")
HID2_FAULT=crash-hidinit check "crash in hidinit" 1 '^hidinit crashed: access violation \(0xC0000005\)$
^verdict: KORVAN3\.exe would crash at the same call: hidinit crashed' --live "$faulty"
HID2_FAULT=crash-Hidwrite check "crash in Hidwrite" 1 '^board: answered, handle 4660$
^Hidwrite crashed: access violation \(0xC0000005\)$' --live "$faulty"
HID2_FAULT=hang-hidinit min_seconds=10 check "hang in hidinit" 1 '^hidinit did not return within 10 s$
^verdict: KORVAN3\.exe would freeze at the same call: hidinit did not return' --live "$faulty"
HID2_FAULT=hang-Hidwrite check "hang in Hidwrite" 1 '^Hidwrite did not return within 10 s$' --live "$faulty"
HID2_INIT=0 HID2_FAULT=slow-hidinit check "slow hidinit, no board" 3 '^open: hidinit returned after 3[0-9]{2}\.[0-9]{3} ms$
^warning: without a board one hidinit takes 3[0-9]{2}\.[0-9] ms, .* for about 3[1-9]\.[0-9] s$' --live "$faulty"
HID2_FAULT=crash-Hidwrite check "crash, without --live" 0 '^load: loads$' "$faulty"
HID2_FAULT=exit-hidinit check "hidinit ends the process" 1 '^hidinit ended the process \(exit code 3\)$
^verdict: KORVAN3\.exe would end at the same call: hidinit ended the process' --live "$faulty"
HID2_FAULT=raise-hidinit check "hidinit raises a low code" 1 '^hidinit crashed: exception \(0x40000015\)$' --live "$faulty"
HID2_FAULT=chatty-hidinit check "hidinit prints" 0 '^verdict: KORVAN3\.exe will work' --live "$faulty"
grep -q CHATTER <<<"$output" && fail "hidinit prints: its words reached the findings"$'\n'"$output"
# Every write 150 ms: the test screen alone takes longer than the limit of one call, yet
# each write is its own call, and the timing stops at its budget of 2 s.
HID2_FAULT=lag-Hidwrite min_seconds=12 max_seconds=34 check "a slow board" 0 '^timing: one Hidwrite takes 1[5-9][0-9]\.[0-9]{3} ms \(median of [1-9][0-9]?; 
^verdict: KORVAN3\.exe will work' --live "$faulty"
grep -qE 'median of (6[4-9]|[7-9][0-9])|did not return' <<<"$output" &&
  fail "a slow board: timed beyond the budget, or a call taken for hung"$'\n'"$output"
# So does a wiring screen; a screen shown alone, whichever, names the library and the board.
HID2_FAULT=lag-Hidwrite min_seconds=10 check "a slow board's wiring screen" 0 '^load: loads$
^board: answered, handle 4660$
^wiring: screen 1 \(of 0 to ' --wiring 1 "$faulty"

# hid2check killed while a call hangs takes its checking process with it. The library's
# folder, unique to this run, tells its processes from any others.
mkdir -p "$work/killed"
cp "$bin/variants/faulty/HID2.DLL" "$work/killed/"
marker=$(basename "$work")
checking() { pgrep -f -- "--check-in-child .*$marker" >/dev/null; }
HID2_FAULT=hang-hidinit run_wine "$bin/hid2check.exe" --live "$(windows_path "$work/killed/HID2.DLL")" \
  >/dev/null 2>&1 &
for _ in $(seq 100); do checking && break; sleep 0.1; done
checking || fail "killed: no checking process to begin with"
sleep 1
pkill -KILL -f -- "hid2check\.exe --live .*$marker"
wait
for _ in $(seq 50); do checking || break; sleep 0.1; done
checking && fail "killed: the checking process outlived hid2check"
pkill -KILL -f -- "--check-in-child .*$marker"

# In Japanese, as Windows' display language makes it, and valid UTF-8 through a pipe.
lang=()
HID2_FAULT=crash-Hidwrite check "Japanese" 1 '^ボード: 応答しました（ハンドル 4660）$
^Hidwrite がクラッシュしました: アクセス違反（0xC0000005）$
^判定: KORVAN3\.exe も同じ呼び出しで異常終了します' --live "$faulty"
run_wine "$bin/hid2check.exe" --help | iconv -f UTF-8 -t UTF-8 >/dev/null || fail "Japanese: not UTF-8"
check "Japanese help" 0 '^使い方: hid2check \[--live \| --wiring \[N\] \| --lines \| --record\] \[--lang en\|ja\] \[ファイルのパス\]$
^  16 ビット用のシステム フォルダー、
^終了コード:$
^  0  KORVAN3\.exe はこのライブラリを読み込めます' --help
mkdir -p "$work/ボード用"
cp "$bin/HID2.DLL" "$work/ボード用/"
check "a Japanese folder name" 0 '^ライブラリ: .*\\ボード用\\HID2\.DLL$
^判定: KORVAN3\.exe はこのライブラリを読み込めます' "$(windows_path "$work/ボード用/HID2.DLL")"
lang=(--lang en)

# Without a path, the library Windows would load for a KORVAN3.exe beside hid2check.exe.
unset HID2_LOG
mkdir -p "$work/alone" "$work/both"
cp "$bin/hid2check.exe" "$work/alone/"
cp "$bin/hid2check.exe" "$bin/cdecl/HID2.DLL" "$work/both/"
cp "$bin/HID2.DLL" "$system_dll"
hid2check=$work/alone/hid2check.exe check "only in the system folder" 0 '^library: C:\\windows\\system32\\HID2\.DLL$
^found: in the system folder; ' 
hid2check=$work/both/hid2check.exe check "beside and in the system folder" 0 '^library: .*\\both\\HID2\.DLL$
^found: beside hid2check\.exe; 
^also found: C:\\windows\\system32\\HID2\.DLL \(in the system folder\); Windows finds the one above first'
rm -f "$system_dll"
hid2check=$work/alone/hid2check.exe check "nowhere" 1 '^file: not found beside hid2check\.exe, in the system folder, the 16-bit system folder,
^verdict: KORVAN3\.exe will not start with this library: Windows finds no HID2\.DLL'
# Names missing: --live stops at the load, and nothing reaches the board.
export HID2_LOG="$work/decorated.log"
check "live, decorated" 1 '^load: loads$
^verdict: KORVAN3\.exe will not start' --live "$(windows_path "$bin/variants/decorated/HID2.DLL")"
[ -s "$HID2_LOG" ] && fail "live, decorated: the library was called: $(cat "$HID2_LOG")"
unset HID2_LOG

# A relative path is checked as the full path it names.
(failures=0; cd "$bin" && check "a relative path" 0 '^library: [A-Z]:\\.*\\bin\\cdecl\\HID2\.DLL$' \
  'cdecl\HID2.DLL'; [ "$failures" = 0 ]) || fail "a relative path"

# Windows text through a pipe: every line, the findings' and the help's, ends in CR LF.
run_wine "$bin/hid2check.exe" --lang en "$(windows_path "$bin/HID2.DLL")" >"$work/piped.txt"
run_wine "$bin/hid2check.exe" --lang en --help >>"$work/piped.txt"
lines=$(wc -l <"$work/piped.txt")
[ "$lines" -gt 10 ] && [ "$(grep -c $'\r$' "$work/piped.txt")" = "$lines" ] ||
  fail "through a pipe: $(grep -c $'\r$' "$work/piped.txt") of $lines lines end in CR LF"

# Alone on a console, as after a double click, it asks for Enter after the verdict and
# waits; every run above, its output piped, ended by itself. Wine makes the terminal that
# script gives it a console of its own; conhost's cursor moves may stand for spaces.
mkfifo "$work/keys"
script -qfc "$WINE_LOADER $(printf '%q %q' "$bin/hid2check.exe" "$(windows_path "$bin/HID2.DLL")") --lang en" \
  "$work/typescript" <"$work/keys" >/dev/null &
alone=$!
exec 8>"$work/keys"
on_screen() { sed 's/\x1b\[[0-9;?]*[a-zA-Z]//g' "$work/typescript" | tr -d ' \r' | grep -q "$1"; }
for _ in $(seq 300); do on_screen '^PressEntertoclose$' && break; sleep 0.1; done
on_screen '^verdict:KORVAN3' && on_screen '^PressEntertoclose$' || fail "alone on a console: no verdict, or no prompt"$'\n'"$(cat "$work/typescript")"
sleep 1
kill -0 "$alone" 2>/dev/null || fail "alone on a console: it did not wait for Enter"
printf '\r' >&8
for _ in $(seq 50); do kill -0 "$alone" 2>/dev/null || break; sleep 0.1; done
kill -0 "$alone" 2>/dev/null && { fail "alone on a console: Enter did not close it"; kill "$alone"; }
exec 8>&-
wait "$alone"

# From a command prompt it shares the prompt's console, which stays open: it ends by itself,
# its input a console where no key ever comes. Any verdict will do: what is tested is the
# end, and Wine, three processes deep on a console, has been seen to fail to start the
# checking process (the new process gone before it began: "Internal error").
mkfifo "$work/no-keys"
exec 9<>"$work/no-keys"
timeout 60 script -qfc "$WINE_LOADER cmd /c $(printf '%q %q' "$(windows_path "$bin/hid2check.exe")" "$(windows_path "$bin/HID2.DLL")") --lang en" \
  "$work/prompt-typescript" <&9 >/dev/null || fail "from a prompt: it did not end by itself"
exec 9>&-
sed 's/\x1b\[[0-9;?]*[a-zA-Z]//g' "$work/prompt-typescript" | tr -d ' \r' | grep -q '^verdict:' ||
  fail "from a prompt: no verdict"$'\n'"$(cat "$work/prompt-typescript")"
grep -q 'does not start' "$work/prompt-typescript" &&
  echo "note: from a prompt: Wine did not start the checking process this time" >&2

[ "$failures" = 0 ] && echo "ok"
[ "$failures" = 0 ]
