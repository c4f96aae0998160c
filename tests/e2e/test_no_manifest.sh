#!/usr/bin/env bash
# The exe carries no manifest even when the toolchain has a default-manifest.o where the
# compiler looks for one. Arguments: the C++ compiler, the folder holding the planted
# object and korvan3_planted.exe (KORVAN3's objects linked beside it), the bin folder.
set -euo pipefail
export LC_ALL=C
compiler=$1 planted=$2 bin=$3
source "$(dirname "$0")/../support/helpers.sh"
resources() { wrestool -l "$1" | sed 's/ \[.*//' | sort | tr '\n' ' '; }

# The planted object is found: a plain link of the same compiler takes its manifest in.
control=$(mktemp -d)
trap 'rm -rf "$control"' EXIT
echo 'int main() { return 0; }' >"$control/plain.cpp"
"$compiler" -B"$planted/" "$control/plain.cpp" -o "$control/plain.exe"
[[ "$(resources "$control/plain.exe")" == *"--type=24 --name=1 "* ]] ||
  fail "the compiler did not link the planted default-manifest.o; the check below proves nothing"

# The project's link leaves it out: icon 101 stays the only resource, and the exe is the
# one the build made without it, byte for byte.
exe="$planted/korvan3_planted.exe"
[ "$(resources "$exe")" = "--type=14 --name=101 --language=1033 --type=3 --name=1 --language=1033 " ] ||
  fail "resources beside a default manifest: $(resources "$exe")"
cmp -s "$exe" "$bin/KORVAN3.exe" ||
  fail "linked beside a default manifest, the exe differs from bin/KORVAN3.exe"
echo "ok: no manifest; $(basename "$compiler") links the planted one into a plain exe"
