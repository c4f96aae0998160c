#!/usr/bin/env bash
# Installs every package the project needs on a Debian 12 machine (run as root).
# Idempotent: when everything is present it only checks and returns.
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ make googletest libgtest-dev clang-format
  g++-mingw-w64-i686 g++-mingw-w64-x86-64
  wine wine32:i386 wine64 xvfb xauth x11-utils imagemagick icoutils
  locales fonts-ipafont-gothic python3 git pandoc chromium
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  # A mirror caught mid-sync fails one index or another; what did arrive is usually
  # enough. When the security archive's i386 index is the one missing, its amd64
  # packages are newer than any i386 twin apt can see, and the two architectures of a
  # library must match: the install is then tried again from the main archive alone.
  apt-get update -q || apt-get update -q || echo "setup: package lists incomplete" >&2
  if ! apt-get install -y -q --no-install-recommends "${missing[@]}"; then
    main_archive_first=$(mktemp)
    printf 'Package: *\nPin: release l=Debian-Security\nPin-Priority: 90\n' >"$main_archive_first"
    apt-get install -y -q --no-install-recommends -o Dir::Etc::Preferences="$main_archive_first" \
      "${missing[@]}"
    rm -f "$main_archive_first"
  fi
fi

# Wine reads the ANSI code page from the locale: ja_JP.UTF-8 gives code page 932.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
