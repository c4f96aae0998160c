#!/usr/bin/env bash
# What KORVAN3.exe is as a file: machine, GUI subsystem, size, the DLLs it needs at run
# time (system DLLs and HID2.DLL only: no C++ runtime or threading DLLs), the three
# HID2.DLL imports under their undecorated names, and icon 101 as its only resource.
set -euo pipefail
export LC_ALL=C
source "$(dirname "$0")/../support/helpers.sh"
exe="$1/KORVAN3.exe"
machine=$(pe_machine "$exe")
[ "$machine" != unknown ] || fail "unknown machine"
objdump=$(objdump_for "$exe")
headers=$($objdump -p "$exe")
grep -q 'Subsystem.*(Windows GUI)' <<<"$headers" || fail "not a GUI program"
size=$(stat -c %s "$exe")
[ "$size" -le 65536 ] || fail "$size bytes, more than 64 KiB"
dlls=$(awk '/DLL Name:/{print toupper($3)}' <<<"$headers" | sort | tr '\n' ' ')
[ "$dlls" = "COMCTL32.DLL GDI32.DLL HID2.DLL KERNEL32.DLL MSVCRT.DLL USER32.DLL " ] ||
  fail "imports from: $dlls"
hid2=$(awk '/DLL Name:/{dll=$3} /^$/{dll=""} dll=="HID2.DLL"&&NF==3&&$2~/^[0-9]+$/{print $3}' <<<"$headers" | sort | tr '\n' ' ')
[ "$hid2" = "Hidread Hidwrite hidinit " ] || fail "HID2.DLL imports: $hid2"
resources=$(wrestool -l "$exe" | sed 's/ \[.*//' | sort | tr '\n' ' ')
[ "$resources" = "--type=14 --name=101 --language=1033 --type=3 --name=1 --language=1033 " ] ||
  fail "resources: $resources"
echo "ok: $machine, $size bytes, imports $dlls"
