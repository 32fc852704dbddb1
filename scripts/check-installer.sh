#!/usr/bin/env bash
# Checks the Windows installer in a scratch Wine prefix of its own, so the
# tests' prefix never sees it: a silent install puts exactly the zip's files in
# the user's programs folder, a Start menu shortcut, the file types and the
# uninstall entry; a .script whose path has blanks opens the way Explorer
# opens it; a second install over the first changes nothing; an install into
# a folder that cannot be written to fails and leaves the old install; an
# upgrade keeps an installed list the user changed and puts the new one beside
# it; a silent uninstall takes everything of ours away, leaves the user's files
# and the changed list, and says so in a note beside them.
#   check-installer.sh SETUP.exe PACKAGE.zip [qvr_open_like_explorer.exe]
# Without the helper program, or where Wine cannot run the installer's code
# (a 32-bit installer on a machine that runs only 64-bit code), it checks the
# installer's file alone and says that it skipped the rest.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/wine-env.sh"
setup="$(realpath "$1")"
zip="$(realpath "$2")"
opener="${3:+$(realpath "$3")}"
version="$(sed -n 's/^project(qvrvse VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")"
product="QVR Visual Script Editor"
failures=0
fail() { echo "installer: $*" >&2; failures=$((failures + 1)); }
scratch="$(mktemp -d)"
frozen=""
cleanup() {
  [ -n "$frozen" ] && { chattr -R -i "$frozen" 2>/dev/null || true; chmod -R u+w "$frozen" 2>/dev/null || true; }
  [ -n "${server:-}" ] && WINEPREFIX="$scratch/prefix" "$server" -k 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

# The installer's own file: its name, its code matching the program's, its
# version resource.
case "$(basename "$zip")" in
  "qvrvse-$version-win32.zip") want_name="qvrvse-$version-setup.exe" want_machine=i386 ;;
  "qvrvse-$version-win64.zip") want_name="qvrvse-$version-win64-setup.exe" want_machine=x86-64 ;;
  *) fail "$(basename "$zip") is no package of version $version"; exit 1 ;;
esac
[ "$(basename "$setup")" = "$want_name" ] || fail "named $(basename "$setup"), not $want_name"
grep -aq NullsoftInst "$setup" || fail "$(basename "$setup") is no NSIS installer: $(file -b "$setup")"
python3 "$root/scripts/pe_version.py" "$setup" > "$scratch/version" || fail "no version resource"
for line in "Machine=$want_machine" "ProductName=$product" "ProductVersion=$version" "FixedFileVersion=$version.0.0"; do
  grep -qxF "$line" "$scratch/version" || fail "installer lacks $line"
done
grep -q '^Manifest=.*level="asInvoker"' "$scratch/version" || fail "the installer would ask for an administrator"
size="$(stat -c %s "$setup")"

if [ "$want_machine" = i386 ] && ! can_run_32bit; then
  echo "installer: $(basename "$setup") checked as a file, $size bytes; skipped: this machine cannot run 32-bit code"
  exit $((failures > 0))
fi
if [ -z "$opener" ]; then
  echo "installer: $(basename "$setup") checked as a file, $size bytes; skipped: no qvr_open_like_explorer.exe to run it"
  exit $((failures > 0))
fi
own_display=0
if [ -z "${DISPLAY:-}" ]; then
  source "$root/scripts/xvfb.sh"
  start_virtual_display
  own_display=1
fi

export WINEPREFIX="$scratch/prefix"
wine="$(wine_for "$setup")"
server="$(dirname "$wine")/wineserver"
[ -x "$server" ] || server=wineserver
"$wine" wineboot -i >/dev/null 2>&1 || true
user_reg="$WINEPREFIX/user.reg"
reg() { python3 "$root/scripts/wine_reg.py" "$user_reg" "$@"; }
flush() { "$server" -w 2>/dev/null || true; }
flush
appdata="$(reg 'Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' 'Local AppData')"
roaming="$(reg 'Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' 'AppData')"
unix_of() { printf '%s' "$WINEPREFIX/drive_c/${1#C:\\}" | tr '\\' /; }
dir_win="$appdata\\Programs\\$product"
dir="$(unix_of "$dir_win")"
shortcut="$(unix_of "$roaming")/Microsoft/Windows/Start Menu/Programs/$product.lnk"
uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\QVRVSE'
ini="$WINEPREFIX/drive_c/windows/QVRVSE.ini"

# What the user would see of the install: files with their contents, the
# shortcut, and every registry key of ours with its values.
state() {
  flush
  (cd "$dir" 2>/dev/null && find . -type f -exec md5sum {} + | sort -k 2) || true
  [ -f "$shortcut" ] && echo "shortcut"
  for key in 'Software\Classes\.script' 'Software\Classes\.inc' 'Software\Classes\.txt\OpenWithProgids' \
      'Software\Classes\QVRVSE.Script\shell\open\command' 'Software\Classes\Applications\qvrvse.exe\shell\open\command' \
      "$uninstall_key"; do
    echo "[$key]"; reg "$key" || true
  done
}

"$wine" "$setup" /S || fail "the silent install ended with $?"
flush
top="qvrvse-$version-${zip##*-}"; top="${top%.zip}"
unzip -q "$zip" -d "$scratch/zip"
diff -r -x uninstall.exe "$scratch/zip/$top" "$dir" >&2 || fail "the installed files differ from the zip's"
[ -f "$dir/uninstall.exe" ] || fail "no uninstaller in $dir"
[ -f "$shortcut" ] || fail "no Start menu shortcut $shortcut"
exe_win="$dir_win\\qvrvse.exe"
for ext in .script .inc; do
  [ "$(reg "Software\\Classes\\$ext" @ || true)" = QVRVSE.Script ] || fail "$ext is not ours"
done
[ "$(reg 'Software\Classes\QVRVSE.Script\shell\open\command' @ || true)" = "\"$exe_win\" \"%1\"" ] ||
  fail "scripts open with [$(reg 'Software\Classes\QVRVSE.Script\shell\open\command' @ || true)]"
[ "$(reg 'Software\Classes\QVRVSE.Script\DefaultIcon' @ || true)" = "\"$exe_win\",0" ] || fail "scripts have no icon of ours"
if reg 'Software\Classes\.txt' @ >/dev/null; then fail ".txt was taken over"; fi
reg 'Software\Classes\.txt\OpenWithProgids' QVRVSE.Script >/dev/null || fail ".txt does not offer the editor"
[ "$(reg "$uninstall_key" DisplayVersion || true)" = "$version" ] || fail "the uninstall entry has no version $version"
[ "$(reg "$uninstall_key" QuietUninstallString || true)" = "\"$dir_win\\uninstall.exe\" /S" ] ||
  fail "the quiet uninstall is [$(reg "$uninstall_key" QuietUninstallString || true)]"
for name in DisplayName Publisher DisplayIcon EstimatedSize UninstallString; do
  reg "$uninstall_key" "$name" >/dev/null || fail "the uninstall entry has no $name"
done

# Opened the way Explorer opens it, from a folder with blanks in its name.
mkdir -p "$scratch/my scripts"
printf 'Game.Print("installed");\r\n// opened from the shell\r\n' > "$scratch/my scripts/first try.script"
"$wine" "$opener" "Z:$(printf '%s' "$scratch/my scripts/first try.script" | tr / '\\')" \
  "$product - first try.script" > "$scratch/opened" 2>&1 || fail "the script did not open: $(cat "$scratch/opened")"
tr -d '\r' < "$scratch/opened" | grep -qx '// opened from the shell' || fail "the window shows no text of the script"
grep -qF "command: \"$exe_win\" \"Z:" "$scratch/opened" || fail "not started by the registered command"
[ -f "$ini" ] || printf '[Settings]\r\n' > "$ini"
cp "$ini" "$scratch/settings"

# A second install over the first: the same files, keys and shortcut, and a
# file of the user's in the folder stays.
printf 'mine\r\n' > "$dir/my notes.script"
state > "$scratch/state-1"
"$wine" "$setup" /S || fail "the second install ended with $?"
state > "$scratch/state-2"
diff -u "$scratch/state-1" "$scratch/state-2" >&2 || fail "a second install changed the install"

# A folder nobody may write to (root is held back by the immutable flag).
frozen="$dir"
chmod -R a-w "$dir"
if [ "$(id -u)" = 0 ]; then chattr -R +i "$dir" 2>/dev/null || true; fi
readonly_case="refused a read-only folder"
if touch "$dir/probe" 2>/dev/null; then
  rm -f "$dir/probe"
  readonly_case="skipped the read-only folder (this file system lets $(id -un) write anyway)"
else
  rc=0
  "$wine" "$setup" /S || rc=$?
  [ $rc = 3 ] || fail "an install into a read-only folder ended with $rc, not the installer's own 3"
  state > "$scratch/state-3"
  diff -u "$scratch/state-1" "$scratch/state-3" >&2 || fail "the failed install changed the old one"
fi
chattr -R -i "$dir" 2>/dev/null || true
chmod -R u+w "$dir"
frozen=""

# An upgrade over a list the user filled: their list stays as they left it,
# the new one goes beside it under a plain name, the rest is replaced.
list=QVR_User_List.txt new_list=QVR_User_List.new.txt
printf 'MyOwnCommand\r\n' >> "$dir/$list"
cp "$dir/$list" "$scratch/my-list"
"$wine" "$setup" /S || fail "the upgrade ended with $?"
flush
cmp -s "$dir/$list" "$scratch/my-list" || fail "the upgrade did not keep the changed $list"
cmp -s "$dir/$new_list" "$scratch/zip/$top/$list" || fail "the upgrade put no shipped $new_list beside it"
diff -r -x uninstall.exe -x "$list" -x "$new_list" -x "my notes.script" "$scratch/zip/$top" "$dir" >&2 ||
  fail "the upgrade left other files than the zip's"

# The silent uninstall copies itself away and returns at once; the prefix's
# server ends when it has finished.
"$wine" "$dir/uninstall.exe" /S || fail "the silent uninstall ended with $?"
flush
note="Kept by the uninstaller.txt"
left="$(cd "$dir" 2>/dev/null && find . -type f | sort | tr '\n' ' ')"
[ "$left" = "./$note ./$list ./my notes.script " ] || fail "the uninstall left [$left] in the program's folder"
cmp -s "$dir/$list" "$scratch/my-list" || fail "the uninstall did not leave the changed $list as it was"
tr -d '\r' < "$dir/$note" 2>/dev/null | grep -qx "$list" || fail "the uninstall's note does not name $list"
if [ -e "$shortcut" ]; then fail "the uninstall left the Start menu shortcut"; fi
for key in 'Software\Classes\.script' 'Software\Classes\.inc' 'Software\Classes\QVRVSE.Script' \
    'Software\Classes\Applications\qvrvse.exe' "$uninstall_key"; do
  if [ -n "$(python3 "$root/scripts/wine_reg.py" --keys "$user_reg" "$key")" ]; then fail "the uninstall left $key"; fi
done
if reg 'Software\Classes\.txt\OpenWithProgids' QVRVSE.Script >/dev/null; then fail "the uninstall left .txt's Open with"; fi
cmp -s "$ini" "$scratch/settings" || fail "the uninstall changed or removed the settings file"

if [ $own_display = 1 ]; then stop_virtual_display; fi
[ $failures -eq 0 ] && echo "installer: $(basename "$setup") checked under Wine, $size bytes: install, $(wc -l < "$scratch/state-1") lines of state, opened as Explorer does, installed twice, $readonly_case, upgraded over a changed list, uninstalled"
exit $((failures > 0))
