#!/usr/bin/env bash
# Installs the editor for the current user, to run under Wine: the unpacked
# package in ~/.local/share/qvrvse, a `qvrvse` command in ~/.local/bin, and a
# menu entry that opens .script, .inc and .txt files. Running it again
# replaces the installed copy and leaves nothing twice.
#   install-linux.sh              builds the package first (scripts/package.sh)
#   install-linux.sh PACKAGE.zip  installs that package
# XDG_DATA_HOME and QVRVSE_BIN_DIR move the data and the command elsewhere.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/wine-env.sh"
package="${1:-}"
if [ -z "$package" ]; then
  package="$(bash "$root/scripts/package.sh" | tail -n 1)"
fi
package="$(realpath "$package")"
data_home="${XDG_DATA_HOME:-$HOME/.local/share}"
bin_dir="${QVRVSE_BIN_DIR:-$HOME/.local/bin}"
app_dir="$data_home/qvrvse"
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

# Handing the path over in Wine's form needs no running Wine: Wine's drive Z:
# is the root of the Linux file system. The prefix is the project's own,
# fixed now, so the menu starts the editor with the same settings.
cat > "$bin_dir/qvrvse" <<EOF
#!/bin/sh
# Starts the QVR Visual Script Editor under Wine, with the script named (if
# any) taken from the folder this is run in.
export WINEPREFIX="\${QVRVSE_WINEPREFIX:-$WINEPREFIX}"
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
