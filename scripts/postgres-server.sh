# A throwaway PostgreSQL cluster for the tests: its own temporary folder, reachable only
# through a socket in that folder (no TCP at all), stopped when the sourcing script ends,
# whatever happens. Sourced by scripts/test; exports TAGWRIGHT_TEST_PG, the connection the
# server tests use. Without PostgreSQL's programs the variable stays unset and those tests
# skip, saying why.

TAGWRIGHT_PG_DIR=""

stop_test_postgres() {
  [ -n "$TAGWRIGHT_PG_DIR" ] || return 0
  if [ -f "$TAGWRIGHT_PG_DIR/data/postmaster.pid" ]; then
    pg_as_owner "$TAGWRIGHT_PG_BIN/pg_ctl" -D "$TAGWRIGHT_PG_DIR/data" -m immediate -w stop >/dev/null 2>&1 || true
  fi
  rm -rf "$TAGWRIGHT_PG_DIR"
  TAGWRIGHT_PG_DIR=""
}

# initdb refuses root: as root, the cluster belongs to the unprivileged "postgres" user.
pg_as_owner() {
  if [ "$(id -u)" -eq 0 ]; then
    runuser -u postgres -- "$@"
  else
    "$@"
  fi
}

start_test_postgres() {
  TAGWRIGHT_PG_BIN="$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)"
  if [ -z "$TAGWRIGHT_PG_BIN" ] || [ ! -x "$TAGWRIGHT_PG_BIN/initdb" ]; then
    echo "PostgreSQL is not installed: the server tests skip." >&2
    return 0
  fi
  if [ "$(id -u)" -eq 0 ] && ! id postgres >/dev/null 2>&1; then
    echo "No \"postgres\" user to run the test server as: the server tests skip." >&2
    return 0
  fi
  TAGWRIGHT_PG_DIR="$(mktemp -d /tmp/tagwright-pg.XXXXXX)"
  # Whatever else the sourcing script stops on exit is stopped too.
  local previous
  previous="$(trap -p EXIT | sed -e "s/^trap -- '//" -e "s/' EXIT\$//")"
  trap "stop_test_postgres; ${previous:-:}" EXIT
  trap 'exit 130' INT TERM
  [ "$(id -u)" -eq 0 ] && chown postgres "$TAGWRIGHT_PG_DIR"
  # The socket's name carries the port; one from the process id keeps runs side by side apart.
  local port=$(( 40000 + $$ % 20000 ))
  if ! pg_as_owner "$TAGWRIGHT_PG_BIN/initdb" -D "$TAGWRIGHT_PG_DIR/data" -U postgres -A trust \
         --no-sync -E UTF8 --locale=C.UTF-8 >"$TAGWRIGHT_PG_DIR/initdb.log" 2>&1 \
     || ! pg_as_owner "$TAGWRIGHT_PG_BIN/pg_ctl" -D "$TAGWRIGHT_PG_DIR/data" -l "$TAGWRIGHT_PG_DIR/server.log" \
         -o "-p $port -k $TAGWRIGHT_PG_DIR -c listen_addresses='' -c fsync=off -c max_connections=200" \
         -w -t 30 start >/dev/null; then
    echo "The test PostgreSQL server did not start:" >&2
    cat "$TAGWRIGHT_PG_DIR"/*.log >&2 || true
    stop_test_postgres
    return 1
  fi
  export TAGWRIGHT_TEST_PG="host=$TAGWRIGHT_PG_DIR port=$port user=postgres dbname=postgres"
  export TAGWRIGHT_TEST_PG_CTL="$TAGWRIGHT_PG_BIN/pg_ctl"
  export TAGWRIGHT_TEST_PG_DATA="$TAGWRIGHT_PG_DIR/data"
}
