# A private CUPS server for the printing tests, with two cups-pdf queues. Sourced by
# scripts/test (it can also be sourced by hand: `source scripts/cups-server.sh; cups_server_start`).
#
# Nothing system-wide changes: the server keeps its configuration, spool, logs and socket in
# a temporary folder and listens only on that socket. cups-pdf reads its settings from the
# fixed file /etc/cups/cups-pdf.conf; the server runs in a mount namespace of its own in which
# a private copy of that file (writing into the temporary folder) is mounted over it, so only
# this server's jobs see the change. Where namespaces are not allowed, cups-pdf keeps the
# system's settings and writes to $HOME/PDF of the printing user; the tests then find their
# files there by the job title, which is unique to the run.
#
# Exports for the tests:
#   TAGWRIGHT_TEST_CUPS_SERVER  the server's socket (tests set CUPS_SERVER to it themselves,
#                               so other tests keep seeing a machine without printers)
#   TAGWRIGHT_TEST_CUPS_PDF     the folder cups-pdf writes the printed jobs to
#   TAGWRIGHT_TEST_CUPS_SKIP    why there is no server, when there is none
# Queues: TagwrightPlain (the driver's defaults: A4, no margins), TagwrightMargins (its
# Letter page printable only inside 0.25 in margins) and TagwrightUneven (its Letter page
# printable inside uneven margins: 12 pt left, 9 pt top, 18 pt right, 54 pt bottom).

CUPS_PDF_PPD=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
CUPS_SERVER_DIR=""
CUPS_SERVER_PID=""

cups_server_unavailable() {
    [ -x /usr/sbin/cupsd ] || { echo "cupsd is not installed (Debian package cups)"; return 0; }
    [ -e /usr/lib/cups/backend/cups-pdf ] && [ -f "$CUPS_PDF_PPD" ] \
        || { echo "cups-pdf is not installed (Debian package printer-driver-cups-pdf)"; return 0; }
    # cups-pdf's back end runs only as root, so a server started by another user cannot run it.
    [ "$(id -u)" -eq 0 ] || { echo "the cups-pdf back end needs a server run as root"; return 0; }
    return 1
}

cups_server_write_conf() {
    local dir="$1"
    mkdir -p "$dir"/{spool,spool/tmp,cache,state,log,ppd,pdf}
    # Filters run as the user lp: everything they read must be reachable for it.
    chmod 755 "$dir" "$dir"/{spool,cache,state,log,ppd}
    chmod 1777 "$dir/spool/tmp" "$dir/pdf"
    cat >"$dir/cupsd.conf" <<EOF
Listen $dir/cups.sock
LogLevel warn
WebInterface No
Browsing No
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
EOF
    cat >"$dir/cups-files.conf" <<EOF
ServerRoot $dir
RequestRoot $dir/spool
TempDir $dir/spool/tmp
StateDir $dir/state
CacheDir $dir/cache
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
User lp
Group lp
SystemGroup root
EOF
    # The system's cups-pdf settings, writing into the private folder instead.
    sed -e "s|^Out .*|Out $dir/pdf|" -e "s|^#*Log .*|Log $dir/log|" /etc/cups/cups-pdf.conf >"$dir/cups-pdf.conf"
    grep -q "^Out " "$dir/cups-pdf.conf" || echo "Out $dir/pdf" >>"$dir/cups-pdf.conf"
    # The driver's PPD with the Letter page printable only inside 0.25 in (18 pt) margins.
    sed -e 's|^\*ImageableArea Letter/US Letter: .*|*ImageableArea Letter/US Letter: "18 18 594 774"|' \
        "$CUPS_PDF_PPD" >"$dir/margins.ppd"
    # ... and with margins of four sizes, as inkjets with a wide bottom margin have.
    sed -e 's|^\*ImageableArea Letter/US Letter: .*|*ImageableArea Letter/US Letter: "12 54 594 783"|' \
        "$CUPS_PDF_PPD" >"$dir/uneven.ppd"
}

# Runs cupsd in the foreground, in its own mount namespace when the system allows one.
cups_server_launch() {
    local dir="$1"
    # The same namespace and mount, tried once on their own: containers often refuse them.
    if unshare --mount --propagation private \
        mount --bind "$dir/cups-pdf.conf" /etc/cups/cups-pdf.conf 2>/dev/null; then
        TAGWRIGHT_TEST_CUPS_PDF="$dir/pdf"
        unshare --mount --propagation private sh -c \
            'mount --bind "$1/cups-pdf.conf" /etc/cups/cups-pdf.conf &&
             exec /usr/sbin/cupsd -f -c "$1/cupsd.conf" -s "$1/cups-files.conf"' sh "$dir" \
            >"$dir/log/cupsd.out" 2>&1 &
    else
        TAGWRIGHT_TEST_CUPS_PDF="$HOME/PDF"
        /usr/sbin/cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" >"$dir/log/cupsd.out" 2>&1 &
    fi
    CUPS_SERVER_PID=$!
}

cups_server_start() {
    TAGWRIGHT_TEST_CUPS_SKIP="$(cups_server_unavailable)" && { export TAGWRIGHT_TEST_CUPS_SKIP; return 0; }
    TAGWRIGHT_TEST_CUPS_SKIP=""
    CUPS_SERVER_DIR="$(mktemp -d /tmp/tagwright-cups.XXXXXX)"
    cups_server_write_conf "$CUPS_SERVER_DIR"
    cups_server_launch "$CUPS_SERVER_DIR"
    local socket="$CUPS_SERVER_DIR/cups.sock" i
    for i in $(seq 1 100); do
        [ -S "$socket" ] && CUPS_SERVER="$socket" lpstat -r >/dev/null 2>&1 && break
        kill -0 "$CUPS_SERVER_PID" 2>/dev/null || break
        sleep 0.1
    done
    if ! CUPS_SERVER="$socket" lpstat -r >/dev/null 2>&1; then
        TAGWRIGHT_TEST_CUPS_SKIP="the private CUPS server did not start: $(tail -n 3 "$CUPS_SERVER_DIR/log/"* 2>/dev/null | tr '\n' ' ')"
        export TAGWRIGHT_TEST_CUPS_SKIP
        cups_server_stop
        return 0
    fi
    cups_server_add_queue TagwrightPlain "$CUPS_PDF_PPD"
    cups_server_add_queue TagwrightMargins "$CUPS_SERVER_DIR/margins.ppd"
    cups_server_add_queue TagwrightUneven "$CUPS_SERVER_DIR/uneven.ppd"
    export TAGWRIGHT_TEST_CUPS_SERVER="$socket" TAGWRIGHT_TEST_CUPS_PDF TAGWRIGHT_TEST_CUPS_SKIP
}

cups_server_add_queue() {
    local output
    # lpadmin warns that PPD drivers are deprecated on every call; show it only on failure.
    if ! output="$(CUPS_SERVER="$CUPS_SERVER_DIR/cups.sock" lpadmin -p "$1" -E -v cups-pdf:/ -P "$2" 2>&1)"; then
        echo "$output" >&2
        return 1
    fi
}

cups_server_stop() {
    if [ -n "$CUPS_SERVER_PID" ]; then
        kill "$CUPS_SERVER_PID" 2>/dev/null || true
        wait "$CUPS_SERVER_PID" 2>/dev/null || true
        CUPS_SERVER_PID=""
    fi
    if [ -n "$CUPS_SERVER_DIR" ]; then
        rm -rf "$CUPS_SERVER_DIR"
        CUPS_SERVER_DIR=""
    fi
}

# Stops the server however the script that sourced this ends, keeping any clean-up that
# script (or another helper) has already registered.
cups_server_start_with_trap() {
    local previous
    previous="$(trap -p EXIT | sed -e "s/^trap -- '//" -e "s/' EXIT\$//")"
    trap "cups_server_stop; ${previous:-:}" EXIT
    trap 'exit 130' INT TERM
    cups_server_start
}
