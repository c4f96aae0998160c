#!/usr/bin/env bash
# hid2check's wiring screens on the simulated board, wired right and wired wrong: only the
# screen that assumes the board's wiring reads as its claim. Then the board's pace: the
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

# readable_screens [--miswire WIRING]: the screens whose claim the LCD shows, one a line.
readable_screens() {
  start_sim --write-cost-us 50 "$@"
  local screen output claim
  for screen in $(seq 0 "$last"); do
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

# Every screen one after another, Enter between them; the last one stays.
start_sim --write-cost-us 50 --miswire RS:E
output=$(for _ in $(seq "$last"); do echo; done | check --wiring | tr -d '\r')
[ $? = 0 ] || fail "--wiring: exit not 0"$'\n'"$output"
[ "$(grep -c '^Press Enter for the next screen$' <<<"$output")" = "$last" ] ||
  fail "--wiring: not one Enter between screens"$'\n'"$output"
[ "$(grep -c '^load: loads$' <<<"$output")" = 1 ] || fail "--wiring: the library's findings repeated"
grep -q '^wiring: where no screen could be read' <<<"$output" || fail "--wiring: no advice"
tail -n1 <<<"$output" | grep -q '^verdict: every wiring screen was shown' ||
  fail "--wiring: the verdict is not last"$'\n'"$output"
[ "$(sim --print | tr -d '\r' | grep -c 'violations 0 ')" = 1 ] || fail "--wiring: timing violations"
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
