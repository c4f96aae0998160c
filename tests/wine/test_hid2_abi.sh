#!/usr/bin/env bash
# The HID2.DLL boundary, exercised for real: the probe program calls the LCD screens,
# the stand-in DLL records what arrives. Checks export and import names, argument
# values (sign-extended handles), the open retries and the initialisation waits.
source "$(dirname "$0")/wine_env.sh"

log=$(mktemp); trap 'rm -f "$log"' EXIT
objdump_tool=$(objdump_for "$WINE_BIN_DIR/HID2.DLL")

# Export names of the stand-in and import names of the program: undecorated.
exports=$($objdump_tool -p "$WINE_BIN_DIR/HID2.DLL" | awk '/\[Ordinal\/Name Pointer\] Table/{t=1;next} t&&/\[/{print $NF} t&&/^$/{t=0}' | sort | tr '\n' ' ')
[ "$exports" = "Hidread Hidwrite hidinit " ] || fail "HID2.DLL exports: $exports"
imports=$($objdump_tool -p "$WINE_BIN_DIR/abi_probe.exe" | awk '/DLL Name:/{dll=$3} /^$/{dll=""} dll=="HID2.DLL"&&NF==3&&$2~/^[0-9]+$/{print $3}' | sort | tr '\n' ' ')
[ "$imports" = "Hidread Hidwrite hidinit " ] || fail "probe imports from HID2.DLL: $imports"

run_probe() { : >"$log"; HID2_LOG="$log" HID2_INIT="$1" run_wine "$WINE_BIN_DIR/abi_probe.exe"; }
count() { grep -c " $1" "$log" || true; }

# Board present from the start: one open, every write of the run, all with the handle it
# returned.
writes=$(expected count "${ABI_PROBE_STEPS[@]}")
run_probe ""
[ "$(count hidinit)" = 1 ] || fail "hidinit calls: $(count hidinit)"
head -n1 "$log" | grep -q ' hidinit 4660$' || fail "first call: $(head -n1 "$log")"
[ "$(count Hidwrite)" = "$writes" ] || fail "writes: $(count Hidwrite)"
[ "$(grep -c ' Hidwrite 4660 ' "$log")" = "$writes" ] || fail "a write with another handle"
[ "$(count Hidread)" = 0 ] || fail "Hidread was called"
pairs=$(awk '$2=="Hidwrite"{printf "%s,%s ", $4, $5}' "$log")
bringup=$(expected writes bringup)
[ "${pairs:0:${#bringup}}" = "$bringup" ] || fail "bring-up: ${pairs:0:200}"
# User text "A" 0xCA (202 as an unsigned code), empty second row.
[[ "$pairs" == *"$(expected writes text 'A\xCA' '')"* ]] || fail "user text not found"
# Date and time: the data codes after the third clear spell yyyy/MM/dd and HH:mm:ss.
screen=$(awk '$2=="Hidwrite"&&$4==1{printf "%d ", $5}' "$log" |
         awk '{n=0; for(i=1;i<=NF;i++){ if($i==1){n++; continue} if(n==3){ if($i==128||$i==192) printf "|"; else printf "%c", $i } } }')
[[ "$screen" =~ ^\|[0-9]{4}/[0-9]{2}/[0-9]{2}\ \|[0-9]{2}:[0-9]{2}:[0-9]{2}$ ]] || fail "date and time: $screen"
# Goodbye ends with the control port at 3, the auxiliary line high.
last=$(expected writes goodbye | awk '{print $NF}')
[ "$(tail -n1 "$log" | awk '{print $4","$5}')" = "$last" ] || fail "last write: $(tail -n1 "$log")"
# The three waits come before the three interface resets (3, 6 and 3 ms).
gaps=$(awk '$2=="Hidwrite"{n++; if(n==5||n==9) printf "%d ", ($1-prev)/1000; prev=$1}' "$log")
read -r gap6 gap3 <<<"$gaps"
[ "$gap6" -ge 5 ] && [ "$gap3" -ge 2 ] || fail "waits before the 2nd and 3rd reset: $gaps ms"

# Plugged in during the first cycle, with a handle whose low 16 bits are 0x8000: that
# cycle's first link operation (its data and E-low writes) is lost, and every write
# carries the sign-extended handle.
run_probe "0,0x12348000"
[ "$(count hidinit)" = 2 ] || fail "late open: hidinit calls $(count hidinit)"
[ "$(count Hidwrite)" = $((writes - 2)) ] || fail "late open: writes $(count Hidwrite)"
[ "$(grep -c ' Hidwrite -32768 ' "$log")" = $((writes - 2)) ] || fail "handle not sign-extended"
awk '$2=="Hidwrite"{print $4","$5; exit}' "$log" | grep -qx '2,10' || fail "late open: first write"

# Low 16 bits zero counts as absent, whatever the high bits: every link operation
# asks again and nothing is written.
run_probe "0x10000"
[ "$(count hidinit)" = "$(expected opens "${ABI_PROBE_STEPS[@]}")" ] ||
  fail "absent: hidinit calls $(count hidinit)"
[ "$(count Hidwrite)" = 0 ] || fail "absent: writes $(count Hidwrite)"
echo "ok"
