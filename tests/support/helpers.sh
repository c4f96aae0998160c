# Sourced by the shell tests, and through tests/wine/wine_env.sh by the scripts that run
# the Windows programs: what they share that needs no Wine. Defines functions only.

# fail MESSAGE...: reports a failed check and ends the test (exit 1); after
# count_failures, counts it in $failures instead and lets the test go on.
failures=0
fail_ends_test=1
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
  if [ -n "$fail_ends_test" ]; then
    exit 1
  fi
}
count_failures() { fail_ends_test=; }

# pe_machine FILE: the machine a Windows program or library is built for, i686 or
# x86_64 (unknown for anything else), from the machine field of its PE header.
pe_machine() {
  local header
  header=$(od -An -tu4 -j60 -N4 "$1")
  case "$(od -An -tx1 -j "$((header + 4))" -N2 "$1" | tr -d ' ')" in
    4c01) echo i686 ;;
    6486) echo x86_64 ;;
    *) echo unknown ;;
  esac
}

# objdump_for FILE: the MinGW objdump that reads the file's machine.
objdump_for() { echo "$(pe_machine "$1")-w64-mingw32-objdump"; }

# runs_32bit_wine: whether Wine runs i686 programs here; a kernel without 32-bit support
# cannot, and the x86_64 build of the same sources stands in.
runs_32bit_wine() { /usr/lib/wine/wine --version >/dev/null 2>&1; }
