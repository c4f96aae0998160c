#!/usr/bin/env bash
# Makes the Windows download from the checked-out commit: dist/KORVAN3-<version>-win32.zip
# and dist/SHA256SUMS. Builds the i686 programs afresh in build/release with the ci-win32
# settings, so the zip's KORVAN3.exe is the exe the ci-win32 tests ran, byte for byte.
# The same commit gives the same zip in any folder at any time: the images and the guides'
# pages carry no time stamp or path, and the zip's entries their fixed order, the commit's
# time and fixed attributes.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh >/dev/null

if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
  echo "the working tree has uncommitted changes: a release is made from a commit" >&2
  exit 1
fi
version=$(cmake -P tools/project_version.cmake)
commit_time=$(git log -1 --format=%ct)
build=build/release
stage=$build/stage
zip=dist/KORVAN3-$version-win32.zip

build_programs() {
  rm -rf "$build"
  cmake --preset release >/dev/null
  cmake --build --preset release -j2 >/dev/null
  for program in KORVAN3.exe hid2check.exe simulator/HID2.DLL LCDSIM.exe; do
    [ -f "$build/bin/$program" ] || { echo "the build made no $program" >&2; exit 1; }
  done
}

write_texts() {
  mkdir -p "$stage"
  guide_page README.md en "KORVAN3 guide" "$stage/README.html"
  guide_page README.ja.md ja "KORVAN3 説明書" "$stage/README.ja.html"
  python3 tools/windows_text.py LICENSE "$stage/LICENSE.txt"
}

# guide_page MARKDOWN LANGUAGE TITLE OUT: a guide as one page that a browser shows offline,
# its pictures inside it as data: URIs, its tables as tables, and its links to the other
# guide leading to that one's page. Any warning, such as a picture not found, stops the
# release instead of leaving a hole in the page.
guide_page() {
  pandoc --fail-if-warnings --from gfm --to html5 --self-contained --css tools/guide.css \
    --lua-filter tools/guide_links.lua --variable lang="$2" --metadata pagetitle="$3" \
    --output "$4" "$1"
}

# Top level: the product and the checker, with room for the maker's HID2.DLL beside them,
# the guides in English and in Japanese, and the licence.
# simulator/: everything needed to see the program work without the board.
write_zip() {
  mkdir -p dist
  rm -f "$zip" dist/SHA256SUMS
  python3 tools/make_zip.py "$zip" "$commit_time" \
    KORVAN3.exe="$build/bin/KORVAN3.exe" \
    hid2check.exe="$build/bin/hid2check.exe" \
    README.html="$stage/README.html" \
    README.ja.html="$stage/README.ja.html" \
    LICENSE.txt="$stage/LICENSE.txt" \
    simulator/LCDSIM.exe="$build/bin/LCDSIM.exe" \
    simulator/HID2.DLL="$build/bin/simulator/HID2.DLL" \
    simulator/KORVAN3.exe="$build/bin/KORVAN3.exe"
  (cd dist && sha256sum "$(basename "$zip")" >SHA256SUMS)
}

build_programs
write_texts
write_zip
echo "$zip ($(stat -c %s "$zip") bytes)"
cat dist/SHA256SUMS
