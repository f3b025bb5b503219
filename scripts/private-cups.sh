#!/usr/bin/env bash
# Runs a private CUPS scheduler for the printing tests, apart from any system one:
# its own configuration, spool, logs and listening socket live in one folder.
#
#   private-cups.sh start DIR   start the scheduler; clients find it with
#                               CUPS_SERVER=DIR/cups.sock
#   private-cups.sh stop DIR    stop the scheduler started in DIR (by its pid)
#
# The scheduler has one raw queue, "corvane-pdf" (also the default), whose
# backend keeps every job's document as DIR/out/job-<id>.pdf. Programs built on
# Qt hand CUPS a PDF, and a raw queue passes it on unchanged, so the file is
# exactly what a printer would have received.
#
# The cups-pdf backend is not used: it refuses to run without root and reads
# its settings from /etc/cups only, so it cannot write into a private folder.
# The small backend below needs neither root nor any system file.
#
# When the scheduler cannot run here, "start" still succeeds but writes the
# reason into DIR/skip-reason, so the tests can skip instead of failing.
set -euo pipefail

queue=corvane-pdf

usage() {
    echo "usage: $0 start|stop DIR" >&2
    exit 2
}

skip() {
    echo "$1" >"$dir/skip-reason"
    echo "private-cups: $1" >&2
    exit 0
}

write_backend() {
    local backend=$dir/lib/backend/$queue
    cat >"$backend" <<'EOF'
#!/bin/sh
# CUPS backend: keeps the job's document as <folder of the device URI>/job-<id>.pdf.
# Without arguments CUPS asks which devices it offers.
if [ $# -eq 0 ]; then
    echo 'file corvane-pdf "Unknown" "Corvane test PDF folder"'
    exit 0
fi
folder=${DEVICE_URI#corvane-pdf:}
target="$folder/job-$1.pdf"
if [ $# -ge 6 ]; then
    cat "$6" >"$target.part" || exit 1
else
    cat >"$target.part" || exit 1
fi
# The rename makes the document appear whole, never half written.
mv "$target.part" "$target"
chmod 0644 "$target"
EOF
    # Run as root only when the scheduler itself is root (0700 backends run as root);
    # otherwise it runs as the scheduler's own user.
    chmod 0700 "$backend"
}

write_configuration() {
    local group
    group=$(id -gn)
    cat >"$dir/conf/cups-files.conf" <<EOF
ServerRoot $dir/conf
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/run
ServerBin $dir/lib
DataDir /usr/share/cups
DocumentRoot /usr/share/cups/doc-root
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
SystemGroup $group
FileDevice No
Printcap $dir/run/printcap
EOF
    cat >"$dir/conf/cupsd.conf" <<EOF
Listen $dir/cups.sock
Browsing No
BrowseLocalProtocols none
WebInterface No
LogLevel info
MaxLogSize 0
PreserveJobFiles No
PreserveJobHistory Yes
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
    cat >"$dir/conf/printers.conf" <<EOF
<DefaultPrinter $queue>
Info Corvane test PDF printer
Location $dir/out
DeviceURI $queue:$dir/out
State Idle
StateTime 0
Type 4
Accepting Yes
Shared No
JobSheets none none
QuotaPeriod 0
PageLimit 0
KLimit 0
OpPolicy default
ErrorPolicy abort-job
</DefaultPrinter>
EOF
}

# The scheduler finds its helpers under ServerBin; all but the backend are the system's.
link_helpers() {
    local part
    for part in daemon filter cgi-bin monitor notifier driver; do
        if [ -e "/usr/lib/cups/$part" ]; then
            ln -sfn "/usr/lib/cups/$part" "$dir/lib/$part"
        fi
    done
}

scheduler_answers() {
    CUPS_SERVER=$dir/cups.sock lpstat -p "$queue" >/dev/null 2>&1
}

start() {
    rm -f "$dir/skip-reason"
    command -v cupsd >/dev/null || skip "cupsd is not installed (package cups)"
    command -v lpstat >/dev/null || skip "lpstat is not installed (package cups-client)"
    [ -d /usr/lib/cups/daemon ] || skip "the CUPS helper programs are missing (/usr/lib/cups/daemon)"
    # A local socket's path has room for about 100 bytes.
    [ ${#dir} -le 90 ] || skip "the folder's path is too long for a local socket: $dir"
    if [ -f "$dir/cupsd.pid" ] && kill -0 "$(cat "$dir/cupsd.pid")" 2>/dev/null; then
        stop
    fi
    rm -rf "$dir/conf" "$dir/spool" "$dir/cache" "$dir/run" "$dir/lib" "$dir/log" "$dir/out"
    mkdir -p "$dir"/{conf,spool/tmp,cache,run,lib/backend,log,out}
    chmod 0755 "$dir"
    write_backend
    write_configuration
    link_helpers
    cupsd -t -c "$dir/conf/cupsd.conf" -s "$dir/conf/cups-files.conf" >"$dir/log/check" 2>&1 ||
        skip "cupsd rejects the private configuration: $(tail -n 3 "$dir/log/check" | tr '\n' ' ')"

    cupsd -f -c "$dir/conf/cupsd.conf" -s "$dir/conf/cups-files.conf" \
        >"$dir/log/cupsd.out" 2>&1 </dev/null &
    echo $! >"$dir/cupsd.pid"

    # The scheduler needs a moment to open its socket and load the queue.
    local tries
    for tries in $(seq 1 100); do
        if scheduler_answers; then
            echo "CUPS_SERVER=$dir/cups.sock"
            return 0
        fi
        if ! kill -0 "$(cat "$dir/cupsd.pid")" 2>/dev/null; then
            rm -f "$dir/cupsd.pid"
            skip "cupsd ended at start: $(tail -n 3 "$dir/log/error_log" "$dir/log/cupsd.out" 2>/dev/null | tr '\n' ' ')"
        fi
        sleep 0.1
    done
    stop
    skip "cupsd did not answer on $dir/cups.sock within 10 seconds"
}

stop() {
    [ -f "$dir/cupsd.pid" ] || return 0
    local pid
    pid=$(cat "$dir/cupsd.pid")
    if kill -0 "$pid" 2>/dev/null; then
        kill -TERM "$pid"
        local tries
        for tries in $(seq 1 100); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -0 "$pid" 2>/dev/null && kill -KILL "$pid"
    fi
    rm -f "$dir/cupsd.pid"
}

[ $# -eq 2 ] || usage
dir=$2
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
case $1 in
start) start ;;
stop) stop ;;
*) usage ;;
esac
