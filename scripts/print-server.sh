# A print server of our own with one PDF printer, for the printing tests;
# source it. It has its own configuration, spool and socket in a fresh
# temporary folder, so it neither needs nor disturbs a system print server,
# and Wine finds it through CUPS_SERVER. The folder is not under the
# checkout: the server's filters run as another user, and a checkout in a
# home folder they cannot enter would leave them nothing to print. Sets
# QVR_PDF_DIR, where the printer puts its files, and QVR_CUPS_DIR.
start_print_server() {
  local dir
  dir="$(mktemp -d /tmp/qvrvse-cups.XXXXXX)"
  QVR_CUPS_DIR="$dir"
  mkdir -p "$dir"/{spool/tmp,cache,state,log,ppd}
  chmod 0755 "$dir" "$dir"/spool "$dir"/spool/tmp
  cat > "$dir/cupsd.conf" <<CONF
LogLevel warn
Listen $dir/cups.sock
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
  cat > "$dir/cups-files.conf" <<CONF
ServerRoot $dir
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
SystemGroup root
CONF
  /usr/sbin/cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" >/dev/null 2>&1 &
  QVR_CUPSD_PID=$!
  export CUPS_SERVER="$dir/cups.sock"
  for _ in $(seq 1 100); do
    [ -S "$CUPS_SERVER" ] && lpstat -r >/dev/null 2>&1 && break
    kill -0 "$QVR_CUPSD_PID" 2>/dev/null || break
    sleep 0.1
  done
  if ! lpadmin -p PDF -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd -E 2>"$dir/log/lpadmin" ||
     ! lpadmin -d PDF 2>>"$dir/log/lpadmin"; then
    echo "The PDF printer could not be set up: $(cat "$dir/log/lpadmin")" >&2
    stop_print_server
    return 1
  fi
  export QVR_PDF_DIR="$HOME/PDF"
  mkdir -p "$QVR_PDF_DIR"
}

stop_print_server() {
  [ -n "${QVR_CUPSD_PID:-}" ] && kill "$QVR_CUPSD_PID" 2>/dev/null || true
  wait "${QVR_CUPSD_PID:-}" 2>/dev/null || true
  QVR_CUPSD_PID=""
  [ -n "${QVR_CUPS_DIR:-}" ] && rm -rf "$QVR_CUPS_DIR"
  QVR_CUPS_DIR=""
}
