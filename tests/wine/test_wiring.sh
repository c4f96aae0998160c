#!/usr/bin/env bash
# hid2check's wiring screens on the simulated board, wired right and wired wrong: only the
# screen that assumes the board's wiring reads as its claim; the wiring dialogue with a user
# who answers from the display names the board's fault; the line walk. Then the board's pace: the
# stand-in answers at the simulator's write cost, and hid2check --live warns of a board
# that outruns the display, and of no board at a real one's pace.
source "$(dirname "$0")/sim_env.sh"
set +e

check() { run_wine "$bin/hid2check.exe" --lang en "$@"; }
row0() { sim --print | head -n1 | tr -d '\r' | sed 's/ *$//'; }

last=$(check --wiring 9999 2>&1 | tr -d '\r' | sed -n 's/.*; they are 0 to \([0-9]*\)$/\1/p')
[ -n "$last" ] && [ "$last" -ge 11 ] || fail "--wiring 9999: no count of screens"
check --wiring $((last + 1)) >/dev/null 2>&1
[ $? = 2 ] || fail "--wiring past the last screen: not a usage error"

# A wiring LCDSIM does not know is a usage error that names the item.
sim --lang en --miswire D5=0,D3:D9 >/dev/null 2>"$work/miswire.err"
[ $? = 2 ] || fail "--miswire D3:D9: not a usage error"
grep -q "^LCDSIM: --miswire: 'D3:D9' is no wiring of the board" "$work/miswire.err" ||
  fail "--miswire D3:D9: the item is not named: $(cat "$work/miswire.err")"

# readable_screens [--miswire WIRING]: of the screens scripts know by number (0 to 12), those
# whose claim the LCD shows, one a line. The native tests cover every screen.
readable_screens() {
  start_sim --write-cost-us 50 "$@"
  local screen output claim
  for screen in $(seq 0 12); do
    output=$(check --wiring "$screen" | tr -d '\r')
    [ $? = 0 ] || fail "--wiring $screen $*: exit not 0"$'\n'"$output"
    claim=$(sed -n 's/^wiring: screen [0-9]* (of 0 to [0-9]*) is on the LCD; it reads "\(.*\)" .*/\1/p' <<<"$output")
    [ -n "$claim" ] || fail "--wiring $screen: no claim named"$'\n'"$output"
    tail -n1 <<<"$output" | grep -q "^verdict: wiring screen $screen was shown" ||
      fail "--wiring $screen: the verdict is not last"$'\n'"$output"
    [ "$(row0)" = "$claim" ] && echo "$claim"
  done
  quit_sim
}
readable=$(readable_screens)
[ "$readable" = "WIRING OK" ] || fail "wired right, readable: $readable"
readable=$(readable_screens --miswire D3:D4)
[ "$readable" = "D3:D4" ] || fail "D3 and D4 exchanged, readable: $readable"

# The dialogue, with a user who answers from what the simulated LCD shows: the verdict names
# the board's fault (E open looks like E or R/W held, or like a display that shows nothing:
# it is named among its look-alikes).
# converse WHAT: the dialogue on the running simulator.
converse() {
  output=$(python3 "$(dirname "$0")/answer_wiring.py" "$WINE_LOADER" "$bin/hid2check.exe" \
    "$bin/LCDSIM.exe" "$(windows_path "$bin/HID2.DLL")")
  [ $? = 0 ] || fail "--wiring, $1: exit not 0"$'\n'"$output"
  [ "$(grep -c '^load: loads$' <<<"$output")" = 1 ] ||
    fail "--wiring, $1: the library's findings not said once"$'\n'"$output"
}
# dialogue WIRING: the dialogue on a board wired so.
dialogue() {
  start_sim --write-cost-us 50 ${1:+--miswire "$1"}
  converse "${1:-wired right}"
  # A fault turns instructions into others, a clear among them perhaps, where no wait follows.
  [ -n "$1" ] || [ "$(sim --print | tr -d '\r' | grep -c 'violations 0 ')" = 1 ] ||
    fail "--wiring, wired right: timing violations"
  quit_sim
}
verdict_is() { tail -n1 <<<"$output" | grep -qF "verdict: $1" || fail "--wiring, $2: not \"$1\""$'\n'"$output"; }
dialogue ""
verdict_is "the wiring is right" "wired right"
[ "$(grep -c '^answer: ' <<<"$output")" = 1 ] || fail "wired right: more than one answer"$'\n'"$output"
dialogue D2:D5
verdict_is "the wires of D2 and D5 are exchanged; LCDSIM --miswire D2:D5 shows the same" D2:D5
dialogue D2=open
verdict_is "D2 reads high all the time: its wire is open or touches +5 V; LCDSIM --miswire D2=open shows the same" D2=open
# With RS held low every character arrives as an instruction, the run's mark among them, so
# whether the screens ever show something depends on the mark: RS=0 is named, or listed
# beside the display itself and its look-alikes, never another fault named.
dialogue RS=0
if ! tail -n1 <<<"$output" | grep -qF "verdict: RS reads low all the time: its wire touches GND; LCDSIM --miswire RS=0 shows the same"; then
  grep -qF 'wiring: it may be: RS reads low all the time: its wire touches GND (LCDSIM --miswire RS=0)' <<<"$output" ||
    fail "--wiring, RS=0: neither named nor listed"$'\n'"$output"
  tail -n1 <<<"$output" | grep -qE '^verdict: the LCD (shows the same under each|shows nothing of what)' ||
    fail "--wiring, RS=0: another fault named"$'\n'"$output"
fi
dialogue E=open
grep -q '^wiring: it may be: .*(LCDSIM --miswire E=open)$' <<<"$output" ||
  fail "--wiring, E=open: not among the look-alikes"$'\n'"$output"
tail -n1 <<<"$output" | grep -qE '^verdict: the LCD (shows the same under each of these [0-9]* faults|shows nothing of what the screens send)' ||
  fail "--wiring, E=open: no look-alike verdict"$'\n'"$output"

# A correct board's dialogue leaves its screen on the LCD; then E comes loose while the
# board is powered, and the second dialogue does not take that screen for its own.
start_sim --write-cost-us 50
converse "wired right, before E came loose"
verdict_is "the wiring is right" "wired right, before E came loose"
sim --miswire E=open >/dev/null || fail "--miswire E=open on the running simulator: exit $?"
converse "E loose after a correct dialogue"
tail -n1 <<<"$output" | grep -qF "the wiring is right" &&
  fail "E loose after a correct dialogue: the wiring is right"$'\n'"$output"
quit_sim

# Without answers it names nothing.
start_sim --write-cost-us 50 --miswire D2=open
output=$(check --wiring </dev/null | tr -d '\r')
tail -n1 <<<"$output" | grep -q '^verdict: the answers name no single fault' ||
  fail "--wiring without answers: a fault named"$'\n'"$output"

quit_sim

# The line walk: a step per Enter, the display cleared at the end.
start_sim --write-cost-us 50
output=$(for _ in $(seq 10); do echo; done | check --lines | tr -d '\r')
[ $? = 0 ] || fail "--lines: exit not 0"$'\n'"$output"
[ "$(grep -c '^step [0-9]*: ' <<<"$output")" = 11 ] || fail "--lines: not 11 steps"$'\n'"$output"
grep -q '^step 3: D2 high: LCD pin 9 (D2) should read about 5 V' <<<"$output" ||
  fail "--lines: step 3 does not name pin 9"$'\n'"$output"
tail -n1 <<<"$output" | grep -q '^verdict: every line was driven high alone' ||
  fail "--lines: the verdict is not last"$'\n'"$output"
[ -z "$(sim --print | head -n2 | tr -d '\r ')" ] || fail "--lines: the display is not clear"$'\n'"$(sim --print)"
quit_sim

# A board's pace: at 200 us a write the display cannot keep up, at 1 ms it can. The time
# hid2check measures is the pace or the cost of a call between two Wine processes,
# whichever is longer, and on a loaded machine the latter can pass 0.380 ms; so the warning
# must match each measured time, and one of three runs must come under 0.380 ms and warn.
start_sim --write-cost-us 200
warned=
for _ in 1 2 3; do
  output=$(check --live | tr -d '\r')
  median=$(sed -n 's/^timing: one Hidwrite takes \([0-9.]*\) ms.*/\1/p' <<<"$output")
  [ -n "$median" ] && awk -v m="$median" 'BEGIN { exit !(m >= 0.1) }' ||
    fail "200 us: the stand-in does not keep the simulator's pace"$'\n'"$output"
  if awk -v m="$median" 'BEGIN { exit !(m < 0.380) }'; then
    grep -qE "^warning: at $median ms a write the display cannot keep up: [0-9]+ of the 92 transfers .* at least 0\.380 ms a write$" <<<"$output" ||
      fail "200 us: no warning at $median ms"$'\n'"$output"
    warned=1
    break
  fi
  grep -q 'keep up' <<<"$output" && fail "200 us: a warning at $median ms"$'\n'"$output"
done
[ -n "$warned" ] || fail "200 us: every write took 0.380 ms or more, the pace cannot be tested here"
quit_sim
start_sim
output=$(check --live | tr -d '\r')
# A write returns a write cost after the previous one did; hid2check's own work between
# two calls is time the next one need not wait. The wait is spun: a sleep, which ends on
# the next timer tick, would make it 1.2 ms under Wine.
grep -qE '^timing: one Hidwrite takes (0\.[6-9]|1\.0)[0-9]+ ms' <<<"$output" ||
  fail "1 ms: the stand-in does not keep the simulator's pace"$'\n'"$output"
grep -q 'keep up' <<<"$output" && fail "1 ms: a warning"$'\n'"$output"
# A write after a pause returns at once, the ones after it a write cost after the one
# before returned: in the bring-up only the writes after its three waits are followed by
# the next one within half a write cost (five at most on a loaded machine).
HID2_LOG="$work/paced.log" HID2_SIMULATOR=1 probe bringup
soon=$(awk '$2 == "Hidwrite" { if (n++ && $1 - at < 500) soon++; at = $1 } END { print soon + 0 }' "$work/paced.log")
[ "$soon" -le 5 ] || fail "1 ms: $soon writes returned within half a write cost"
quit_sim
echo ok
