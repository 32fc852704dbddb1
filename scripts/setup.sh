#!/usr/bin/env bash
# Installs what building and testing need on a fresh Debian machine, once.
set -euo pipefail
packages=(cmake make g++ file googletest libgtest-dev libbenchmark-dev clang libclang-rt-14-dev
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix mingw-w64-i686-dev binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
  wine wine64 wine32:i386 fonts-wine fonts-dejavu-core xvfb xauth xdotool imagemagick x11-utils
  cups cups-bsd cups-client printer-driver-cups-pdf libcups2:i386 poppler-utils desktop-file-utils fontconfig unzip nsis)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  # As root the commands run as they are; otherwise through sudo.
  as_root=()
  if [ "$(id -u)" != 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
      as_root=(sudo)
    else
      echo "Missing packages: ${missing[*]}; run this as root, or install sudo." >&2
      exit 1
    fi
  fi
  echo "Installing: ${missing[*]}"
  dpkg --print-foreign-architectures | grep -qx i386 || "${as_root[@]}" dpkg --add-architecture i386
  "${as_root[@]}" apt-get update -qq
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
