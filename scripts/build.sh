#!/usr/bin/env bash
# Configures and builds: the native logic and tests (unless --windows-only),
# and the Windows build for the architecture Wine can run here.
# Prints the Windows build folder on its last line.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/wine-env.sh"
jobs="${JOBS:-2}"
windows_only=0
[ "${1:-}" = "--windows-only" ] && windows_only=1

if [ $windows_only = 0 ]; then
  cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$root/build/native" -j "$jobs" >&2
fi

# The editor ships as a 32-bit program. Where this machine cannot run 32-bit
# code, Wine runs the 64-bit build of the same sources instead, and the
# 32-bit editor is still built so it never stops compiling.
arch=i686
can_run_32bit || arch=x86_64
cmake -S "$root" -B "$root/build/win-$arch" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw.cmake" -DQVR_WIN_ARCH=$arch >/dev/null
if [ $windows_only = 1 ]; then
  cmake --build "$root/build/win-$arch" -j "$jobs" --target qvrvse >&2
else
  cmake --build "$root/build/win-$arch" -j "$jobs" >&2
fi
if [ $arch != i686 ] && [ $windows_only = 0 ]; then
  cmake -S "$root" -B "$root/build/win-i686" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw.cmake" -DQVR_WIN_ARCH=i686 \
    -DQVR_WIN32_TESTS=OFF >/dev/null
  cmake --build "$root/build/win-i686" -j "$jobs" --target qvrvse >&2
fi
echo "$root/build/win-$arch"
