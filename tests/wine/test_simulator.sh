#!/usr/bin/env bash
# The simulated board end to end: LCDSIM.exe runs hidden, the probe drives the LCD
# screens through the stand-in HID2.DLL, and `LCDSIM.exe --print` reads back what the
# display shows. Also: the board is absent while no simulator runs, closing the
# simulator unplugs it for good, a second start rewires the running one, and too short a
# write cost makes the clear overrun.
source "$(dirname "$0")/sim_env.sh"

# expect_display ROWS COUNTERS: the whole --print output, the two rows and the counters.
expect_display() {
  local out
  out=$(sim --print) || fail "--print: exit $?"
  [ "$out" = "$1"$'\n'"$2" ] || fail "display:"$'\n'"$out"$'\n'"expected:"$'\n'"$1"$'\n'"$2"
}
port_writes() { sim --print | awk 'NR==3{print $4}'; }
violations() { sim --print | awk 'NR==3{print $2}'; }
count() { grep -c " $1" "$2" 2>/dev/null || true; }

blank=$(printf '%16s' '')
boxes_and_blank=$(printf '█%.0s' $(seq 16))$'\n'$blank
splash=$(expected display splash)
goodbye=$(expected display goodbye)
# Port writes of bring-up and splash, of abi_probe.exe's run, of the goodbye.
start_writes=$(expected count bringup splash)
probe_writes=$(expected count "${ABI_PROBE_STEPS[@]}")
goodbye_writes=$(expected count goodbye)

# No simulator: nothing to print or close, and the board is absent: every link
# operation of bring-up and splash asks hidinit, which answers 0.
sim --print >"$work/out" 2>"$work/err" && fail "--print without a simulator succeeded"
[ ! -s "$work/out" ] && grep -q "シミュレーターが起動していません" "$work/err" || fail "--print without a simulator: $(cat "$work/out" "$work/err")"
sim --quit 2>/dev/null && fail "--quit without a simulator succeeded"
HID2_LOG="$work/absent.log" HID2_SIMULATOR=1 probe bringup splash
opens=$(expected opens bringup splash)
[ "$(count hidinit "$work/absent.log")" = "$opens" ] || fail "absent: hidinit calls $(count hidinit "$work/absent.log")"
[ "$(count 'hidinit 0$' "$work/absent.log")" = "$opens" ] || fail "absent: hidinit answered a handle"
[ "$(count Hidwrite "$work/absent.log")" = 0 ] || fail "absent: writes were made"

# The messages and the help are in the Windows display language (Japanese in run_wine),
# English under any other, and in the language --lang names.
english() { LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 "$WINE_LOADER" "$bin/LCDSIM.exe" "$@"; }
[ "$(english --print 2>&1)" = "LCDSIM: no simulator is running" ] || fail "--print in English: $(english --print 2>&1)"
[ "$(sim --lang en --print 2>&1)" = "LCDSIM: no simulator is running" ] || fail "--print --lang en: $(sim --lang en --print 2>&1)"
[ "$(english --lang ja --print 2>&1)" = "LCDSIM: シミュレーターが起動していません" ] || fail "--print --lang ja: $(english --lang ja --print 2>&1)"
help_ja=$(sim --help) && help_en=$(english --help) || fail "--help: exit $?"
[[ "$help_ja" == "使い方: LCDSIM.exe "*"--replay ファイル"*"終了コード:"* ]] || fail "--help in Japanese: $help_ja"
[[ "$help_en" == "usage: LCDSIM.exe "*"--replay FILE"*"exit codes:"* ]] || fail "--help in English: $help_en"
sim --lang fr 2>/dev/null && fail "--lang fr was taken"

# Power-on: the display is off, row 0 a row of boxes, row 1 blank.
start_sim
expect_display "$boxes_and_blank" "violations 0 writes 0"

# Bring-up and splash from one process; the display keeps them after it exits.
probe bringup splash
expect_display "$splash" "violations 0 writes $start_writes"

# A second start only brings the first to the front: the board is untouched.
timeout 30 env LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 "$WINE_LOADER" "$bin/LCDSIM.exe" || fail "second start: exit $?"
expect_display "$splash" "violations 0 writes $start_writes"

# Shown, the window hands the window manager LCDSIM's own icon, large and small: the
# picture's counts of each colour, the small one the large one halved cell for cell.
window=$(xwininfo -root -tree | awk '/"lcdsim.exe"/ && !/"Default IME"/ {print $1; exit}')
for _ in $(seq 50); do
  icons=$(xprop -id "$window" -notype 32c _NET_WM_ICON | python3 -c '
import sys
values = [int(v) & 0xFFFFFFFF for v in sys.stdin.read().partition("=")[2].replace(",", " ").split()]
colours = {0: "transparent", 0xFF000000: "black", 0xFF008000: "green", 0xFF00FF00: "lime"}
while values:
    width, height = values[:2]
    pixels, values = values[2:2 + width * height], values[2 + width * height:]
    counts = [(name, pixels.count(argb)) for argb, name in colours.items()]
    counts.append(("other", len(pixels) - sum(count for _, count in counts)))
    print(f"{width}x{height}", *(f"{name} {count}" for name, count in counts))')
  [ -n "$icons" ] && break
  sleep 0.1
done
[ "$icons" = "32x32 transparent 256 black 240 green 208 lime 320 other 0
16x16 transparent 64 black 60 green 52 lime 80 other 0" ] || fail "the window's icons:"$'\n'"$icons"

# The whole sequence of the program, up to the goodbye, from a new process.
run_wine "$bin/abi_probe.exe"
expect_display "$goodbye" "violations 0 writes $((start_writes + probe_writes))"

# The simulator takes writes only with its own handle, of which only the low 16 bits
# count: handle, handle + 0x10000, handle with bit 0 flipped, 0 -> taken or not.
HID2_LOG="$work/open.log" HID2_SIMULATOR=1 probe text AB CD
handle=$(awk '$2=="hidinit"{print $3; exit}' "$work/open.log")
[ $((handle & 0xFFFF)) != 0 ] || fail "hidinit answered $handle"
expect_display "$(expected display text AB CD)" \
  "violations 0 writes $((start_writes + probe_writes + $(expected count text AB CD)))"
while read -r candidate taken; do
  before=$(port_writes)
  probe write "$candidate" 1 65
  [ $(($(port_writes) - before)) = "$taken" ] || fail "write with handle $candidate: taken $(($(port_writes) - before))"
done <<EOT
$handle 1
$((handle + 0x10000)) 1
$((handle ^ 1)) 0
0 0
EOT

# Closing the simulator unplugs the board: a process holding its handle writes into
# nothing, a new open answers 0, and a simulator started later ignores the old handle.
flag="$work/go"
HID2_LOG="$work/held.log" HID2_SIMULATOR=1 probe bringup splash await "$(printf 'Z:%s' "${flag//\//\\}")" goodbye &
holder=$!
for _ in $(seq 100); do
  [ "$(count Hidwrite "$work/held.log")" = "$start_writes" ] && break
  sleep 0.1
done
[ "$(count Hidwrite "$work/held.log")" = "$start_writes" ] || fail "the holding probe did not show the splash"
quit_sim
HID2_LOG="$work/closed.log" HID2_SIMULATOR=1 probe splash
[ "$(count 'hidinit 0$' "$work/closed.log")" = "$(expected opens splash)" ] &&
  [ "$(count Hidwrite "$work/closed.log")" = 0 ] ||
  fail "after --quit: $(count hidinit "$work/closed.log") opens, $(count Hidwrite "$work/closed.log") writes"
start_sim
touch "$flag"
wait "$holder" || fail "holding probe: exit $?"
[ "$(count Hidwrite "$work/held.log")" = "$((start_writes + goodbye_writes))" ] ||
  fail "the goodbye was not sent: $(count Hidwrite "$work/held.log")"
expect_display "$boxes_and_blank" "violations 0 writes 0"
probe bringup splash
expect_display "$splash" "violations 0 writes $start_writes"
quit_sim

# A second start with --miswire rewires the running simulator as a wire changed while
# powered: the display stays, the next writes meet the new wiring (with E open nothing
# latches), and the controller keeps its state (wired correctly again, the text shows).
# --controller goes the same way; a bad item of it is named.
text_writes=$(expected count text AB CD)
start_sim
probe bringup splash
out=$(sim --miswire E=open) || fail "--miswire E=open to the running simulator: exit $?"
[ "$out" = "LCDSIM: 起動中のシミュレーターの配線を E=open に変更しました" ] || fail "--miswire E=open said: $out"
expect_display "$splash" "violations 0 writes $start_writes"
probe text AB CD
expect_display "$splash" "violations 0 writes $((start_writes + text_writes))"
out=$(sim --lang en --miswire D3:D4,D4:D3 --controller busy=lost,NIBBLE=restart) || fail "rewiring back: exit $?"
[ "$out" = "LCDSIM: the running simulator is now wired correctly"$'\n'"LCDSIM: the running simulator's controller now chooses nibble=restart,busy=lost" ] ||
  fail "rewiring back said: $out"
probe text AB CD
expect_display "$(expected display text AB CD)" "violations 0 writes $((start_writes + 2 * text_writes))"
status=0
sim --lang en --controller edge=after,busy=late >"$work/out" 2>"$work/err" || status=$?
[ "$status" = 2 ] && [ ! -s "$work/out" ] && grep -q "^LCDSIM: --controller: 'busy=late' is no choice of the controller" "$work/err" ||
  fail "--controller busy=late: exit $status, $(cat "$work/out" "$work/err")"
quit_sim

# Virtual time alone (the real time between calls not counted): the clear of bring-up
# runs 1520 us and the next transfer latches 4 port writes later, so a write cost of
# 380 us is just enough and 379 us is one violation; 0 makes every transfer after the
# first arrive too early.
while read -r cost expected; do
  start_sim --write-cost-us "$cost" --ignore-gaps
  probe bringup splash
  [ "$(violations)" = "$expected" ] || fail "write cost $cost us: violations $(violations), not $expected"
  quit_sim
done <<EOT
380 0
379 1
0 40
EOT
# The same with the controller's choice that a transfer while busy is lost: only the
# first one arrives, and the display stays as at power-on.
start_sim --write-cost-us 0 --ignore-gaps --controller busy=lost
probe bringup splash
expect_display "$boxes_and_blank" "violations 40 writes $start_writes"
quit_sim
echo "ok"
