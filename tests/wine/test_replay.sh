#!/usr/bin/env bash
# Replay of the stand-in's log: a run recorded in test mode and played with
# `LCDSIM.exe --replay FILE --text` shows what the live simulator showed for the same
# screens, the same rows and counts; so does a log recorded beside the live simulator.
# Also: the write-cost options, the windowed replay at the recorded pace (read back with
# --print), and the exit codes for a file that cannot be read and a malformed line.
source "$(dirname "$0")/sim_env.sh"

# same WHAT EXPECTED ACTUAL
same() { [ "$2" = "$3" ] || fail "$1:"$'\n'"$3"$'\n'"expected:"$'\n'"$2"; }
replay_text() { sim --replay "$@" --text || fail "--replay $* --text: exit $?"; }

# The live run: splash, then the whole program up to the goodbye, each read back.
start_sim
HID2_LOG="$work/beside.log" HID2_SIMULATOR=1 probe bringup splash
live_splash=$(sim --print)
HID2_LOG="$work/beside.log" HID2_SIMULATOR=1 run_wine "$bin/abi_probe.exe"
live_goodbye=$(sim --print)
quit_sim
start_writes=$(expected count bringup splash)
same "live splash" "$(expected display splash)"$'\n'"violations 0 writes $start_writes" "$live_splash"
same "live goodbye counts" "violations 0 writes $((start_writes + $(expected count "${ABI_PROBE_STEPS[@]}")))" \
  "$(sed -n 3p <<<"$live_goodbye")"

# The same screens recorded in test mode, no simulator running; then the log recorded
# beside the simulator.
HID2_LOG="$work/splash.log" probe bringup splash
cp "$work/splash.log" "$work/program.log"
HID2_LOG="$work/program.log" run_wine "$bin/abi_probe.exe"
same "replayed splash" "$live_splash" "$(replay_text "$work/splash.log")"
same "replayed program" "$live_goodbye" "$(replay_text "$work/program.log")"
same "replayed log of the live run" "$live_goodbye" "$(replay_text "$work/beside.log")"

# Virtual time from the write costs alone, as for a live run: the clear of bring-up
# needs 380 us a write, 0 makes every transfer after the first collide.
while read -r cost violations; do
  out=$(replay_text "$work/splash.log" --write-cost-us "$cost" --ignore-gaps)
  same "write cost $cost us" "violations $violations writes $start_writes" "$(sed -n 3p <<<"$out")"
done <<EOT
380 0
379 1
0 40
EOT

# The window plays at the recorded pace: the splash, then a minute later (a pause
# shortened to two seconds) the text. Meanwhile the board is no program's.
HID2_LOG="$work/paced.log" probe text AB CD
while read -r time call; do
  echo "$((time + 60000000)) $call"
done <"$work/paced.log" >>"$work/splash.log"
final=$(replay_text "$work/splash.log")
start_sim --replay "$work/splash.log"
seen_splash=
for _ in $(seq 150); do
  out=$(sim --print)
  [ "$out" = "$live_splash" ] && seen_splash=1
  [ "$out" = "$final" ] && break
  sleep 0.1
done
same "windowed replay" "$final" "$out"
[ -n "$seen_splash" ] || fail "the windowed replay never showed the splash: it did not keep the pace"
HID2_LOG="$work/refused.log" HID2_SIMULATOR=1 probe text XY ZW
grep -q ' hidinit 0$' "$work/refused.log" && ! grep -q Hidwrite "$work/refused.log" ||
  fail "a program reached the replaying board: $(head -3 "$work/refused.log")"
sim --replay "$work/splash.log" 2>"$work/err" && fail "a second windowed replay started"
grep -q "すでに起動しています" "$work/err" || fail "second replay: $(cat "$work/err")"
same "replay after a program tried" "$final" "$(sim --print)"
quit_sim

# Exit codes: 1 for a file that cannot be read, 2 for a malformed line, named in the
# display language (Japanese here) or the one --lang names; nothing printed on the
# standard output either way.
status=0
sim --replay "$work/absent.log" --text >"$work/out" 2>"$work/err" || status=$?
[ "$status" = 1 ] && [ ! -s "$work/out" ] && grep -q "absent.log を読み込めません" "$work/err" ||
  fail "absent file: exit $status, $(cat "$work/out" "$work/err")"
{ head -n 2 "$work/program.log"; echo "12 Hidwrite 4660 1"; } >"$work/bad.log"
status=0
sim --replay "$work/bad.log" --text >"$work/out" 2>"$work/err" || status=$?
[ "$status" = 2 ] && [ ! -s "$work/out" ] && grep -q "bad.log の 3 行目: Hidwrite のあとには数値が 3 つ" "$work/err" ||
  fail "malformed line: exit $status, $(cat "$work/out" "$work/err")"
out=$(sim --lang en --replay "$work/bad.log" --text 2>&1) || true
[[ "$out" == *"bad.log line 3: Hidwrite takes three numbers"* ]] || fail "malformed line in English: $out"
status=0
sim --replay "$work/bad.log" --hidden 2>"$work/err" || status=$?
[ "$status" = 2 ] || fail "malformed line, windowed: exit $status"
sim --text 2>/dev/null && fail "--text without --replay succeeded"
echo "ok"
