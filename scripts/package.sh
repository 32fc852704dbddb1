#!/usr/bin/env bash
# Builds the Windows package: the 32-bit editor and its data in one zip,
# build/win-i686/qvrvse-VERSION-win32.zip. Prints the zip's path last.
#   package.sh            the shipped 32-bit package
#   package.sh x86_64     the same for the 64-bit build (what Wine runs in
#                         the tests where 32-bit code cannot run)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
arch="${1:-i686}"
jobs="${JOBS:-2}"
build="$root/build/win-$arch"
bash "$root/scripts/setup.sh"
# Only the editor is needed, so a fresh folder builds no test programs; a
# folder configured before keeps its own choice.
tests=()
[ -f "$build/CMakeCache.txt" ] || tests=(-DQVR_WIN32_TESTS=OFF)
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw.cmake" -DQVR_WIN_ARCH="$arch" "${tests[@]}" >/dev/null
cmake --build "$build" -j "$jobs" --target qvrvse >&2
(cd "$build" && cpack -G ZIP >&2)
name="$(sed -n 's/^set(CPACK_PACKAGE_FILE_NAME "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")"
echo "$build/$name.zip"
