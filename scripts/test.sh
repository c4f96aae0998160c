#!/usr/bin/env bash
# Installs what is missing, builds every preset and runs every test:
# native unit tests, then the Windows builds' tests under Wine, then the release twice.
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh || exit 1

status=0
for preset in ci-native ci-sanitize ci-win32 ci-win64; do
  cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" || exit 1
done
for preset in ci-native ci-sanitize ci-win32 ci-win64; do
  echo "=== tests: $preset"
  ctest --preset "$preset" --output-on-failure || status=1
done
echo "=== tests: release"
bash tests/release/test_release.sh || status=1
exit $status
