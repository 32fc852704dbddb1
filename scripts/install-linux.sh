#!/usr/bin/env bash
# Installs the editor for the current user, to run under Wine: the unpacked
# package in ~/.local/share/qvrvse, a Wine prefix of its own in
# ~/.local/share/qvrvse-wine (ordinary desktop windows, a fixed-width face for
# "Lucida Console"), a `qvrvse` command in ~/.local/bin, and a menu entry that
# opens .script, .inc and .txt files. Running it again replaces the installed
# copy, keeps the prefix (and the settings in it) and leaves nothing twice.
#   install-linux.sh              builds the package first (scripts/package.sh)
#   install-linux.sh PACKAGE.zip  installs that package
# XDG_DATA_HOME and QVRVSE_BIN_DIR move the data and the command elsewhere;
# QVRVSE_WINEPREFIX moves the prefix.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/wine-env.sh"
package="${1:-}"
data_home="${XDG_DATA_HOME:-$HOME/.local/share}"
bin_dir="${QVRVSE_BIN_DIR:-$HOME/.local/bin}"
app_dir="$data_home/qvrvse"
# Not the tests' prefix, whose virtual desktop would hold the editor in a
# fixed-size window of its own; and not inside app_dir, which an update
# replaces, since the settings file lives in the prefix.
prefix="${QVRVSE_WINEPREFIX:-$data_home/qvrvse-wine}"

# The editor is a 32-bit program: it needs 32-bit Wine, and 32-bit Wine
# reaches the printers only through the 32-bit CUPS library.
needs=()
if command -v dpkg >/dev/null 2>&1; then
  for p in wine wine64 wine32:i386 libcups2:i386 fonts-dejavu-core unzip; do
    dpkg -s "$p" >/dev/null 2>&1 || needs+=("$p")
  done
  if [ ${#needs[@]} -gt 0 ]; then
    as_root=()
    [ "$(id -u)" = 0 ] || { command -v sudo >/dev/null 2>&1 && as_root=(sudo); }
    if [ "$(id -u)" = 0 ] || [ ${#as_root[@]} -gt 0 ]; then
      echo "Installing what the 32-bit editor needs: ${needs[*]}"
      dpkg --print-foreign-architectures | grep -qx i386 || "${as_root[@]}" dpkg --add-architecture i386
      "${as_root[@]}" apt-get update -qq
      "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${needs[@]}" >/dev/null
    else
      echo "The editor needs these packages; as root, run:" >&2
      echo "  dpkg --add-architecture i386 && apt-get update && apt-get install ${needs[*]}" >&2
      exit 1
    fi
  fi
else
  [ -x /usr/lib/wine/wine ] || [ -x /usr/lib/i386-linux-gnu/wine/wine ] || command -v wine >/dev/null 2>&1 ||
    needs+=("32-bit Wine")
  [ -e /usr/lib/i386-linux-gnu/libcups.so.2 ] || [ -e /usr/lib32/libcups.so.2 ] || [ -e /lib/libcups.so.2 ] ||
    needs+=("the 32-bit CUPS library (libcups.so.2 for i386), for printing")
  command -v unzip >/dev/null 2>&1 || needs+=(unzip)
  if [ ${#needs[@]} -gt 0 ]; then
    printf 'The editor needs: %s\n' "${needs[@]}" >&2
    exit 1
  fi
fi
can_run_32bit || echo "Note: this machine cannot run 32-bit programs; the editor is installed but will not start here." >&2

if [ -z "$package" ]; then
  package="$(bash "$root/scripts/package.sh" | tail -n 1)"
fi
package="$(realpath "$package")"
mkdir -p "$data_home/applications" "$data_home/mime/packages" "$data_home/icons/hicolor/256x256/apps" "$bin_dir"

# Unpacked beside the old copy first, so a broken zip leaves the old one.
staging="$(mktemp -d "$data_home/.qvrvse-install.XXXXXX")"
trap 'rm -rf "$staging"' EXIT
unzip -q "$package" -d "$staging"
unpacked="$(find "$staging" -mindepth 2 -maxdepth 2 -name qvrvse.exe -printf '%h\n' | head -n 1)"
[ -n "$unpacked" ] || { echo "$package holds no qvrvse.exe" >&2; exit 1; }
rm -rf "$app_dir"
mv "$unpacked" "$app_dir"

# The menu's icon: the large image of the program's own icon, a PNG as it is.
python3 - "$root/src/platform/win32/qvrvse.ico" "$data_home/icons/hicolor/256x256/apps/qvrvse.png" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
for i in range(struct.unpack_from("<H", data, 4)[0]):
    width, _, _, _, _, _, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
    if width == 0 and data[offset:offset + 4] == b"\x89PNG":
        open(sys.argv[2], "wb").write(data[offset:offset + size])
PY

# The prefix, made once: a 64-bit prefix also runs 32-bit programs, so the
# 64-bit loader makes it where there is one. The face is set on every run,
# so a prefix made before this setting existed gets it too.
wine_loader=wine
[ -x /usr/lib/wine/wine64 ] && wine_loader=/usr/lib/wine/wine64
wine_server="$(dirname "$(command -v "$wine_loader")")/wineserver"
[ -x "$wine_server" ] || wine_server=wineserver
face="DejaVu Sans Mono"
if command -v fc-list >/dev/null 2>&1 && [ -z "$(fc-list "$face" family)" ]; then
  face="$(fc-match -f '%{family[0]}' 'monospace:spacing=mono' 2>/dev/null || echo "$face")"
fi
mkdir -p "$prefix"
if [ ! -f "$prefix/system.reg" ]; then
  echo "Making the Wine prefix $prefix (once; about 20 s)"
  WINEPREFIX="$prefix" "$wine_loader" wineboot -i >/dev/null 2>&1 || true
fi
WINEPREFIX="$prefix" "$wine_loader" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Lucida Console' /d "$face" /f >/dev/null 2>&1 ||
  echo "Could not set the face for \"Lucida Console\" in $prefix" >&2
# The registry reaches the disk when the prefix's server ends.
WINEPREFIX="$prefix" "$wine_server" -w 2>/dev/null || true

# Handing the path over in Wine's form needs no running Wine: Wine's drive Z:
# is the root of the Linux file system. The prefix is fixed now, so the menu
# and the command start the editor with the same settings.
cat > "$bin_dir/qvrvse" <<EOF
#!/bin/sh
# Starts the QVR Visual Script Editor under Wine, with the script named (if
# any) taken from the folder this is run in.
export WINEPREFIX="\${QVRVSE_WINEPREFIX:-$prefix}"
export WINEDEBUG="\${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="\${WINEDLLOVERRIDES:-mscoree,mshtml=}"
wine="\${QVRVSE_WINE:-wine}"
program='$app_dir/qvrvse.exe'
if [ \$# -eq 0 ]; then
  exec "\$wine" "\$program"
fi
script="\$(realpath -m -s -- "\$1")"
exec "\$wine" "\$program" "Z:\$(printf '%s' "\$script" | tr / '\\\\')"
EOF
chmod +x "$bin_dir/qvrvse"

# Our own type for scripts and includes; plain text files are offered too.
cat > "$data_home/mime/packages/qvrvse.xml" <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<mime-info xmlns="http://www.freedesktop.org/standards/shared-mime-info">
  <mime-type type="text/x-qvr-script">
    <comment>QVR engine script</comment>
    <sub-class-of type="text/plain"/>
    <generic-icon name="text-x-script"/>
    <glob pattern="*.script"/>
    <glob pattern="*.inc"/>
  </mime-type>
</mime-info>
EOF

cat > "$data_home/applications/qvrvse.desktop" <<EOF
[Desktop Entry]
Type=Application
Name=QVR Visual Script Editor
GenericName=Script Editor
Comment=Edit QVR engine scripts
Exec="$bin_dir/qvrvse" %f
Icon=qvrvse
Terminal=false
Categories=Utility;TextEditor;
MimeType=text/x-qvr-script;text/plain;
StartupWMClass=qvrvse.exe
EOF

# Absent on minimal systems; the desktop reads the files at its next start.
command -v update-mime-database >/dev/null && update-mime-database "$data_home/mime" >/dev/null 2>&1 || true
command -v update-desktop-database >/dev/null && update-desktop-database "$data_home/applications" >/dev/null 2>&1 || true
echo "Installed: $app_dir"
echo "Command:   $bin_dir/qvrvse"
echo "Prefix:    $prefix"
