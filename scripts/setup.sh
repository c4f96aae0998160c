#!/usr/bin/env bash
# Installs every package the project needs on a Debian 12 machine (run as root).
# Idempotent: when everything is present it only checks and returns.
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ make googletest libgtest-dev clang-format
  g++-mingw-w64-i686 g++-mingw-w64-x86-64
  wine wine32:i386 wine64 xvfb xauth imagemagick icoutils
  locales fonts-ipafont-gothic python3 git
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
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Wine reads the ANSI code page from the locale: ja_JP.UTF-8 gives code page 932.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
