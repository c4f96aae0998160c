#!/usr/bin/env bash
# What KORVAN3.exe is as a file: machine, GUI subsystem, size, the DLLs it needs at run
# time (system DLLs and HID2.DLL only: no C++ runtime or threading DLLs), the three
# HID2.DLL imports under their undecorated names, and icon 101 as its only resource.
set -euo pipefail
export LC_ALL=C
exe="$1/KORVAN3.exe"
fail() { echo "FAIL: $*"; exit 1; }
case "$(od -An -tx1 -j "$(( $(od -An -tu4 -j60 -N4 "$exe") + 4 ))" -N2 "$exe" | tr -d ' ')" in
  4c01) objdump=i686-w64-mingw32-objdump; machine=i686 ;;
  6486) objdump=x86_64-w64-mingw32-objdump; machine=x86_64 ;;
  *) fail "unknown machine" ;;
esac
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
