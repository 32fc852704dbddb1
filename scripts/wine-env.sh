# Shared Wine settings; source it.
export WINEPREFIX="${WINEPREFIX:-$HOME/.qvrvse-wine}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No prompts for the .NET and HTML runtimes.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

# The Wine loader that matches a program: 64-bit programs need wine64.
wine_for() {
  if file -b "$1" | grep -q 'x86-64'; then
    if [ -x /usr/lib/wine/wine64 ]; then echo /usr/lib/wine/wine64; else echo wine64; fi
  else
    echo wine
  fi
}

# Whether this machine can run 32-bit programs at all (some kernels or
# sandboxes refuse 32-bit code, and with it 32-bit Wine).
can_run_32bit() {
  [ -x /lib/ld-linux.so.2 ] && /lib/ld-linux.so.2 --version >/dev/null 2>&1
}

# A prefix of our own, created once, with a virtual desktop so windows get
# frames and title bars without a window manager.
prepare_wine_prefix() {
  local wine="$1"
  if [ ! -f "$WINEPREFIX/.qvrvse-ready-2" ]; then
    mkdir -p "$WINEPREFIX"
    "$wine" wineboot -i >/dev/null 2>&1 || true
    "$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    "$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x800 /f >/dev/null 2>&1
    # Windows has "Lucida Console"; here the nearest fixed-width face stands in.
    "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Lucida Console' /d 'DejaVu Sans Mono' /f >/dev/null 2>&1
    "$(dirname "$wine")/wineserver" -w 2>/dev/null || wineserver -w 2>/dev/null || true
    touch "$WINEPREFIX/.qvrvse-ready-2"
  fi
}
