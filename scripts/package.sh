#!/usr/bin/env bash
# Builds the Windows package: the 32-bit editor and its data in one zip,
# build/win-i686/qvrvse-VERSION-win32.zip, and an installer of the same files
# beside it, qvrvse-VERSION-setup.exe. Prints the zip's path last.
#   package.sh            the shipped 32-bit package
#   package.sh x86_64     the same for the 64-bit build (what Wine runs in
#                         the tests where 32-bit code cannot run), with
#                         qvrvse-VERSION-win64-setup.exe
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
zip="$build/$name.zip"

# The installer carries the zip's files as they are, so both install the same.
version="$(sed -n 's/^project(qvrvse VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")"
if [ "$arch" = i686 ]; then
  target=x86-unicode setup="qvrvse-$version-setup.exe"
else
  target=amd64-unicode setup="qvrvse-$version-win64-setup.exe"
fi
stage="$build/installer"
rm -rf "$stage" && mkdir -p "$stage"
unzip -q "$zip" -d "$stage"
files="$stage/$name"
# What the installer puts in place and the uninstaller takes away, and
# nothing else: one line a file with its folder, its name, the plain name a
# new version takes beside a file the user changed, and its source; then the
# folders, deepest first.
(cd "$files" &&
  find . -type f | sort | sed 's|^\./||' | while IFS= read -r path; do
    name="${path##*/}" folder=""
    [ "$name" = "$path" ] || folder="${path%/*}/"
    folder="${folder//\//\\}"
    case "$name" in
      *.exe) echo "!insertmacro \${SHIPPED_PROGRAM} \"$folder\" \"$name\" \"$files/$path\"" ;;
      *.*) echo "!insertmacro \${SHIPPED} \"$folder\" \"$name\" \"${name%.*}.new.${name##*.}\" \"$files/$path\"" ;;
      *) echo "!insertmacro \${SHIPPED} \"$folder\" \"$name\" \"$name.new\" \"$files/$path\"" ;;
    esac
  done &&
  find . -mindepth 1 -type d | sort -r | sed -e 's|^\./||' -e 's|/|\\|g' -e 's|.*|!insertmacro ${SHIPPED_FOLDER} "&"|'
) > "$stage/files.nsh"
# The welcome page's picture: the program's icon on its own blue.
convert -size 164x314 gradient:'#2a6cc0-#123a73' \
  \( "$root/src/platform/win32/qvrvse.ico[3]" -resize 112x112 \) -gravity north -geometry +0+48 -composite \
  -type TrueColor BMP3:"$stage/wizard.bmp"
makensis -V2 -NOCD -DVERSION="$version" -DTARGET="$target" -DSOURCE="$files" -DFILES="$stage/files.nsh" \
  -DSIZE_KB="$(du -sk "$files" | cut -f1)" -DICON="$root/src/platform/win32/qvrvse.ico" \
  -DWIZARD="$stage/wizard.bmp" -DOUTFILE="$build/$setup" "$root/cmake/qvrvse.nsi" >&2
echo "$build/$setup" >&2
echo "$zip"
