#!/usr/bin/env bash
# hid2check --record in a folder laid out as the download, with a library that records
# what reaches it in the maker's place: each run records KORVAN3.exe's calls in a log of
# its own, every call reaches that library, the folder is left as it was but for the new
# log, no temporary folder is left, and the replay shows the goodbye with no timing
# violation. Without what a recording needs, it says what is wrong and changes nothing.
source "$(dirname "$0")/../wine/wine_env.sh"
rerun_under_xvfb 1024x768x24
set +e
count_failures
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
bin=$(cd "$WINE_BIN_DIR" && pwd)
top=$work/KORVAN3

# The download's files that a recording needs; the maker's library one that records.
lay_out() {
  rm -rf "$top"
  mkdir -p "$top/simulator"
  cp "$bin/hid2check.exe" "$bin/KORVAN3.exe" "$top/"
  cp "$bin/simulator/HID2.DLL" "$top/simulator/"
  cp "$bin/recording/stdcall/HID2REC.DLL" "$top/HID2.DLL"
}
# Every file of the folder with its checksum.
state() { (cd "$1" && find . -type f -exec md5sum {} + | sort -k2); }
# %TEMP% is a folder of the user's, wherever this Wine keeps it.
leftovers() { find "$WINEPREFIX/drive_c/users" -maxdepth 5 -name 'hid2check-record-*'; }
unchanged() {
  [ "$(state "$top")" = "$1" ] || fail "$2: the folder changed:"$'\n'"$(diff <(echo "$1") <(state "$top"))"
  [ "$(leftovers)" = "$left_before" ] || fail "$2: left in %TEMP%: $(leftovers)"
}
# record [ctrl-c]: hid2check --record started in $folder (the top folder); once the splash
# has reached the library, KORVAN3.exe is closed, or with ctrl-c the recording is ended by
# Ctrl+C at hid2check's console, a terminal of its own, where it then waits for Enter (no
# shell stays between the terminal and Wine: one that dies of the Ctrl+C would be the exit code).
# Its output, without the console's cursor moves, and its exit code.
record() {
  : >"$work/recorded"
  export RECORDED_CALLS=$work/recorded
  if [ "${1:-}" = ctrl-c ]; then
    rm -f "$work/keys" && mkfifo "$work/keys"
    (cd "$top" && SHELL=/bin/sh script -qefc "stty cols 500; exec env LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 $WINE_LOADER $(printf %q "$top/hid2check.exe") --lang en --record" \
      "$work/out" <"$work/keys" >/dev/null) &
    exec 8>"$work/keys"
  else
    (cd "${folder:-$top}" && RECORDED_HANDLE=${handle:-} run_wine "$top/hid2check.exe" --lang en --record >"$work/out" 2>&1) &
  fi
  local run=$!
  for _ in $(seq 300); do
    [ "$(grep -c "^${wait_for:-Hidwrite}" "$work/recorded")" -ge "${calls:-$splash}" ] && break
    kill -0 "$run" 2>/dev/null || break
    sleep 0.1
  done
  if [ "${1:-}" = ctrl-c ]; then
    printf '\003' >&8
    for _ in $(seq 300); do grep -q 'Press Enter' "$work/out" && break; sleep 0.1; done
    grep -q 'Press Enter' "$work/out" ||
      { fail "Ctrl+C did not end the recording"; run_wine taskkill /im KORVAN3.exe >/dev/null 2>&1; }
    printf '\r' >&8
    exec 8>&-
  else
    run_wine taskkill /im KORVAN3.exe >/dev/null 2>&1
  fi
  wait "$run"
  rc=$?
  output=$(sed 's/\x1b\[[0-9;?]*[a-zA-Z]//g; s/\^C//g' "$work/out" | tr -d '\r' | grep -vE '^(Script |Press Enter|$)')
}
# expect WHAT EXIT LINES: the exit code, a line matching each extended regex, the verdict last.
expect() {
  [ "$rc" = "$2" ] || fail "$1: exit $rc, expected $2"$'\n'"$output"
  while read -r line; do
    grep -qE "$line" <<<"$output" || fail "$1: no line matching '$line'"$'\n'"$output"
  done <<<"$3"
  tail -n1 <<<"$output" | grep -q '^verdict: ' || fail "$1: the last line is not the verdict"
}

left_before=$(leftovers)
splash=$(expected count bringup splash)
rows=$(expected display goodbye | sed 's/ *$//')
writes=$(expected writes bringup splash goodbye)

# Twice, the second time with the cdecl build of the library and ended by Ctrl+C: two
# logs, the first kept as it was, each with the goodbye.
lay_out
before=$(state "$top")
for n in 1 2; do
  [ "$n" = 2 ] && cp "$bin/recording/cdecl/HID2REC.DLL" "$top/HID2.DLL" && before=$(state "$top")
  record "$([ "$n" = 2 ] && echo ctrl-c)"
  log=$top/korvan3-$n.log
  expect "recording $n" 0 "^recording: KORVAN3\\.exe runs from C:\\\\.*\\\\hid2check-record-[0-9-]+, .* on to Z:.*\\\\HID2\\.DLL and records it in Z:.*\\\\korvan3-$n\\.log; 
^log: Z:.*\\\\korvan3-$n\\.log, $(grep -c . "$log" 2>/dev/null) calls$
^replay: the display ends as \"$(sed -n 1p <<<"$rows")\" in row 0, \"$(sed -n 2p <<<"$rows")\" in row 1$
^replay: 0 timing violations in [0-9]+ transfers, 
^verdict: KORVAN3\\.exe's calls are recorded in korvan3-$n\\.log; simulator\\\\LCDSIM\\.exe --replay korvan3-$n\\.log plays them"
  diff <(cut -d' ' -f2- "$log") "$work/recorded" >"$work/diff" ||
    fail "recording $n: the log and the library's calls differ:"$'\n'"$(head "$work/diff")"
  [ "$(awk '$1=="Hidwrite"{printf "%s,%s ", $3, $4}' "$work/recorded")" = "$writes" ] ||
    fail "recording $n: the library was not passed the bring-up, the splash and the goodbye"
  unchanged "$(sort -k2 <(echo "$before") <(cd "$top" && md5sum "./korvan3-$n.log"))" "recording $n"
done

# What a recording needs, missing or wrong: one change to the download a row.
while IFS='|' read -r what change code line; do
  lay_out
  folder= handle= wait_for= calls=
  eval "$change"
  before=$(state "$top")
  record "${folder:-$top}"
  expect "$what" "$code" "$line"
  [ -n "${SHOW:-}" ] && echo "$output"
  unchanged "$before" "$what"
done <<'EOT'
no maker's library|rm "$top/HID2.DLL"|1|^verdict: KORVAN3\.exe will not start with this library: Windows finds no HID2\.DLL
the stand-in in its place|cp "$top/simulator/HID2.DLL" "$top/HID2.DLL"|1|^stand-in: the library above is the simulator's stand-in
a stand-in of another build in its place|cp "$bin/cdecl/HID2.DLL" "$top/HID2.DLL"|1|^verdict: nothing was recorded: the HID2\.DLL that KORVAN3\.exe would load is the simulator's stand-in
no KORVAN3.exe|rm "$top/KORVAN3.exe"|4|^verdict: nothing was recorded: there is no KORVAN3\.exe beside hid2check\.exe \(Z:.*\\KORVAN3\.exe\)
no stand-in|rm -r "$top/simulator"|4|^verdict: nothing was recorded: the simulator's stand-in is missing \(Z:.*\\simulator\\HID2\.DLL\)
KORVAN3.exe that is no program|echo "not a program" >"$top/KORVAN3.exe"|4|^verdict: nothing was recorded: KORVAN3\.exe does not start \(.+\)$
a current folder no log can be made in|folder=/sys|4|^verdict: nothing was recorded: the log cannot be created in Z:\\sys \(.+\)
no board, as no handle has its low 16 bits set|handle=0x10000 wait_for=hidinit calls=$(expected opens bringup splash)|3|^board: no board answered while KORVAN3\.exe ran
EOT

[ "$failures" = 0 ] && echo "ok"
[ "$failures" = 0 ]
