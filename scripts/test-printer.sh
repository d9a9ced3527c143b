#!/usr/bin/env bash
# A private print system for the tests that print for real.
#
#   test-printer.sh start STATE_DIR   starts it; prints the environment the tests need
#   test-printer.sh stop STATE_DIR    stops it and removes STATE_DIR
#
# It is a CUPS scheduler of its own: configuration, spool, logs and its socket
# all live in STATE_DIR, and nothing of the machine's own CUPS is read or
# changed, so a second run (or a run beside another) starts from scratch. Its one
# queue, the default printer, has a file device and the generic PDF printer
# driver of cups-filters, reduced to pass the job through (the PDF the program
# produced lands in STATE_DIR/output/print.pdf byte for byte) and given a paper
# source of two trays, "Tray1" (the default) and "Tray2". Starting needs
# root (the scheduler runs its filters as user lp).
set -euo pipefail

queue=ScontrixTest
command=${1:-}
state=${2:-}
if [[ -z "$command" || -z "$state" ]]; then
  echo "usage: $0 start|stop STATE_DIR" >&2
  exit 2
fi

socket="$state/cups.sock"
marker="$state/scontrix-test-printer"

start() {
  if [[ $(id -u) -ne 0 ]]; then
    echo "test-printer: starting a print system needs root" >&2
    return 1
  fi
  local driver=/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd
  if [[ ! -f "$driver" ]]; then
    driver=$(find /usr/share/ppd -iname 'Generic-PDF_Printer*.ppd' 2>/dev/null | head -n 1)
  fi
  if [[ -z "$driver" || ! -f "$driver" ]]; then
    echo "test-printer: the generic PDF printer driver of cups-filters is missing" >&2
    return 1
  fi

  mkdir -p "$state"/{etc/ppd,spool/tmp,cache,run,log,output}
  touch "$marker"
  chmod 755 "$state" "$state/output"

  cat > "$state/etc/cups-files.conf" <<CONF
FileDevice Yes
ServerRoot $state/etc
RequestRoot $state/spool
TempDir $state/spool/tmp
CacheDir $state/cache
StateDir $state/run
ErrorLog $state/log/error_log
AccessLog $state/log/access_log
PageLog $state/log/page_log
SystemGroup root
User lp
Group lp
CONF
  # Only the socket: no network port, no printer sharing or discovery.
  cat > "$state/etc/cupsd.conf" <<CONF
LogLevel info
Listen $socket
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
  # The driver without its job-language envelope, handing the PDF on as it is.
  sed -e '/^\*JCLBegin:/d' -e '/^\*JCLToPDFInterpreter:/d' -e '/^\*JCLEnd:/d' \
      -e 's|^\*cupsFilter:.*|*cupsFilter2: "application/pdf application/pdf 0 gziptoany"|' \
      "$driver" > "$state/pass-through.ppd"
  # A paper source of two trays, one of the printer's own options that a job
  # can choose: the tests show the choice reaching the print system.
  cat >> "$state/pass-through.ppd" <<'PPD'
*OpenUI *InputSlot/Paper Source: PickOne
*OrderDependency: 20 AnySetup *InputSlot
*DefaultInputSlot: Tray1
*InputSlot Tray1/Tray 1: ""
*InputSlot Tray2/Tray 2: ""
*CloseUI: *InputSlot
PPD

  setsid cupsd -f -c "$state/etc/cupsd.conf" -s "$state/etc/cups-files.conf" \
    < /dev/null > "$state/log/cupsd.out" 2>&1 &
  echo $! > "$state/cupsd.pid"

  export CUPS_SERVER="$socket"
  local tries=0
  until lpstat -r 2>/dev/null | grep -q 'is running'; do
    tries=$((tries + 1))
    if [[ $tries -gt 100 ]]; then
      echo "test-printer: the scheduler did not start; see $state/log" >&2
      return 1
    fi
    sleep 0.1
  done
  lpadmin -p "$queue" -E -v "file://$state/output/print.pdf" -P "$state/pass-through.ppd" \
    -D "Scontrix test printer" -L "Test queue" -o PageSize=A4 2> >(grep -v deprecated >&2)
  lpadmin -d "$queue"

  echo "CUPS_SERVER=$socket"
  echo "LPDEST=$queue"
  echo "SCONTRIX_TEST_PRINTER=$queue"
  echo "SCONTRIX_TEST_PRINTER_OUTPUT=$state/output/print.pdf"
}

stop() {
  [[ -f "$marker" ]] || return 0 # not ours, or already gone
  if [[ -f "$state/cupsd.pid" ]]; then
    local pid
    pid=$(cat "$state/cupsd.pid")
    if kill -0 "$pid" 2>/dev/null; then
      kill "$pid"
      for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
      done
      kill -9 "$pid" 2>/dev/null || true
    fi
  fi
  rm -rf "$state"
}

case "$command" in
  start) start ;;
  stop) stop ;;
  *) echo "usage: $0 start|stop STATE_DIR" >&2; exit 2 ;;
esac
