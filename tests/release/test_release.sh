#!/usr/bin/env bash
# The download is reproducible and holds what it should: the release is made twice from
# the checked-out commit, in two fresh clones in different folders, the second later, with
# its files' times changed, in another time zone and under another umask. Both zips must
# be the same bytes, pass their SHA256SUMS, hold exactly the files of the download with
# the READMEs as Windows text that name the wiring picture of their language beside them,
# the pictures as committed, and carry the KORVAN3.exe that the ci-win32 tests ran.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
tested=$root/build/ci-win32/bin/KORVAN3.exe
source "$root/tests/support/helpers.sh"
[ -f "$tested" ] || fail "no $tested: build the ci-win32 preset first"
if [ -n "$(git -C "$root" status --porcelain --untracked-files=no)" ]; then
  echo "note: the release is made from the last commit, not from the uncommitted changes"
fi

work=$(mktemp -d /tmp/korvan3-release.XXXXXX)
trap 'rm -rf "$work"' EXIT
commit=$(git -C "$root" rev-parse HEAD)
clone() {
  git clone -q "$root" "$1"
  git -C "$1" checkout -q --detach "$commit"
}

first=$work/one/KORVAN3
second=$work/two/a/deeper/folder/k3
clone "$first"
(cd "$first" && bash scripts/release.sh >/dev/null)
clone "$second"
find "$second" -path "$second/.git" -prune -o -exec touch -d '2001-02-03 04:05:06' {} +
(cd "$second" && umask 077 && TZ=Asia/Tokyo bash scripts/release.sh >/dev/null)

version=$(cmake -P "$root/tools/project_version.cmake")
name=KORVAN3-$version-win32.zip
for clone_dir in "$first" "$second"; do
  (cd "$clone_dir/dist" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS in $clone_dir"
done
sums=$(cat "$first/dist/SHA256SUMS" "$second/dist/SHA256SUMS" | awk '{print $1}' | uniq)
[ "$(wc -l <<<"$sums")" = 1 ] || fail "two releases of one commit differ: $sums"
cmp -s "$first/dist/$name" "$second/dist/$name" || fail "the zips differ"

python3 - "$first/dist/$name" "$work/unpacked" <<'EOF' || fail "zip contents"
import sys, zipfile
expected = ["KORVAN3.exe", "hid2check.exe", "README.txt", "README.ja.txt", "LICENSE.txt",
            "wiring.png", "wiring-ja.png", "simulator/", "simulator/LCDSIM.exe", "simulator/HID2.DLL", "simulator/KORVAN3.exe"]
with zipfile.ZipFile(sys.argv[1]) as archive:
    names = archive.namelist()
    if names != expected:
        sys.exit(f"entries {names}, expected {expected}")
    if archive.testzip() is not None:
        sys.exit("a damaged entry")
    archive.extractall(sys.argv[2])
for text in ("README.txt", "README.ja.txt", "LICENSE.txt"):
    data = open(f"{sys.argv[2]}/{text}", "rb").read()
    if not data.startswith(b"\xef\xbb\xbf") or data.count(b"\n") != data.count(b"\r\n"):
        sys.exit(f"{text} is not UTF-8 with a byte order mark and CRLF line ends")
    data.decode("utf-8")
for text, picture in (("README.txt", "wiring.png"), ("README.ja.txt", "wiring-ja.png")):
    if picture not in open(f"{sys.argv[2]}/{text}", encoding="utf-8-sig").read():
        sys.exit(f"{text} does not name the wiring picture {picture}")
EOF
for picture in wiring.png wiring-ja.png; do
  cmp -s "$work/unpacked/$picture" "$root/docs/$picture" || fail "the zip's $picture is not docs/$picture"
done
python3 "$root/tests/docs/check_paragraph_lines.py" "$work/unpacked/README.ja.txt" ||
  fail "README.ja.txt breaks a paragraph across lines"
# The tests' aids stay out of the download: the stand-in built for the tests names them
# (in the form the library holds them), the one in the zip does not.
python3 - "$work/unpacked/simulator/HID2.DLL" "$root/build/ci-win32/bin/HID2.DLL" <<'EOF' ||
import sys
aids = ["NORMAL0".encode("utf-16-le"), "HID2_WINDOW_REPORT".encode("utf-16-le"), b"HID2_FAULT"]
shipped, tested = (open(path, "rb").read() for path in sys.argv[1:])
if aids[1] not in tested:
    sys.exit("the tests' stand-in holds no window report: the check below would prove nothing")
held = [aid for aid in aids if aid in shipped]
if held:
    sys.exit(f"the zip's simulator/HID2.DLL holds test aids: {held}")
EOF
  fail "the zip's stand-in"
for exe in KORVAN3.exe simulator/KORVAN3.exe; do
  cmp -s "$work/unpacked/$exe" "$tested" || fail "the zip's $exe is not the tested $tested"
done
echo "ok: $name, $(stat -c %s "$first/dist/$name") bytes, sha256 $sums, the same from two clones"
