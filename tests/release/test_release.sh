#!/usr/bin/env bash
# The download is reproducible and holds what it should: the release is made twice from
# the checked-out commit, in two fresh clones in different folders, the second later, with
# its files' times changed, in another time zone and under another umask. Both zips must
# be the same bytes, pass their SHA256SUMS, hold exactly the files of the download, the
# guides as pages in their language holding the committed pictures (and a browser must
# show them whole), and carry the KORVAN3.exe that the ci-win32 tests ran.
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

python3 - "$first/dist/$name" "$work/unpacked" "$root" <<'EOF' || fail "zip contents"
import base64, re, sys, zipfile
zip_path, unpacked, root = sys.argv[1:]
expected = ["KORVAN3.exe", "hid2check.exe", "README.html", "README.ja.html", "LICENSE.txt",
            "simulator/", "simulator/LCDSIM.exe", "simulator/HID2.DLL", "simulator/KORVAN3.exe"]
with zipfile.ZipFile(zip_path) as archive:
    names = archive.namelist()
    if names != expected:
        sys.exit(f"entries {names}, expected {expected}")
    if archive.testzip() is not None:
        sys.exit("a damaged entry")
    archive.extractall(unpacked)
data = open(f"{unpacked}/LICENSE.txt", "rb").read()
if not data.startswith(b"\xef\xbb\xbf") or data.count(b"\n") != data.count(b"\r\n"):
    sys.exit("LICENSE.txt is not UTF-8 with a byte order mark and CRLF line ends")
for page, guide, language in (("README.html", "README.md", "en"),
                              ("README.ja.html", "README.ja.md", "ja")):
    html = open(f"{unpacked}/{page}", encoding="utf-8").read()
    if not re.search(f'<html[^>]* lang="{language}"', html) or not re.search("<title>[^<]+</title>", html):
        sys.exit(f"{page} has no title or does not say it is in the language {language}")
    shown = [base64.b64decode(data) for data in re.findall('<img src="data:image/png;base64,([^"]+)"', html)]
    markdown = open(f"{root}/{guide}", encoding="utf-8").read()
    committed = [open(f"{root}/{path}", "rb").read() for path in re.findall(r"!\[[^\]]*\]\(([^)]+)\)", markdown)]
    if shown != committed:
        sys.exit(f"{page} does not hold, in their order, the committed pictures {guide} shows")
    missing = [target for target in re.findall('<a href="([^"#:]+)', html) if target not in names]
    if missing:
        sys.exit(f"{page} links to files not in the zip: {missing}")
EOF
# The guides in a real browser, offline, in a window 800 pixels wide: every picture
# loads, nothing reaches past the right edge (a wide table or listing scrolls in its own
# box), nothing is fetched; a picture of each first screen is kept to look at.
shots=$root/build/release-test
mkdir -p "$shots"
python3 - "$work" "$root/tests/release/check_page.js" "$shots" <<'EOF' || fail "the guides in a browser"
import html, os, re, subprocess, sys, tempfile
work, script, shots = sys.argv[1:]
BROWSER = ["chromium", "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
           "--disable-background-networking", "--disable-component-update", "--disable-sync",
           "--host-resolver-rules=MAP * ~NOTFOUND", "--window-size=800,600"]

def browse(*arguments):
    with tempfile.TemporaryDirectory(dir=work) as profile:
        return subprocess.run([*BROWSER, f"--user-data-dir={profile}", *arguments], stdin=subprocess.DEVNULL,
                              capture_output=True, encoding="utf-8").stdout

failed = False
for page in ("README.html", "README.ja.html"):
    checked = f"{work}/checked.html"
    # After the end of the page a browser still takes the script into the body.
    with open(checked, "w", encoding="utf-8") as out:
        out.write(open(f"{work}/unpacked/{page}", encoding="utf-8").read() + f"<script>{open(script).read()}</script>")
    found = re.findall('<pre id="page-check">(.*?)</pre>', browse("--virtual-time-budget=10000", "--dump-dom",
                                                                   f"file://{checked}"), re.S)
    verdict = html.unescape(found[-1]) if found else "the browser gave no result"
    if verdict != "ok":
        print(f"FAIL: {page} in a window 800 px wide: {verdict}")
        failed = True
    shot = f"{shots}/{page}.png"
    if os.path.exists(shot):
        os.remove(shot)
    browse(f"--screenshot={shot}", f"file://{work}/unpacked/{page}")
    if not os.path.exists(shot):
        print(f"FAIL: the browser took no picture of {page}")
        failed = True
sys.exit(failed)
EOF
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
