#!/usr/bin/env bash
# Starts a throwaway PostgreSQL 15 server on loopback for the test suite and
# prints the TARVIC_TEST_PG value that points the tests at it.
# Usage: scripts/pg-start.sh [dir] [port]
set -euo pipefail
dir=${1:-/tmp/tarvic-pg}
port=${2:-54329}
bin=/usr/lib/postgresql/15/bin
run() { if [ "$(id -u)" = 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi; }
if [ -f "$dir/postmaster.pid" ] && run "$bin/pg_ctl" -D "$dir" status >/dev/null 2>&1; then
  echo "host=127.0.0.1 port=$port"; exit 0
fi
rm -rf "$dir"; mkdir -p "$dir"
[ "$(id -u)" = 0 ] && chown postgres: "$dir"
echo postgres >"$dir.pw"; chmod 644 "$dir.pw"
run "$bin/initdb" -D "$dir" -A md5 -U postgres --pwfile="$dir.pw" -E UTF8 >/dev/null
rm -f "$dir.pw"
# A throwaway server: durability off for speed, the tests still commit for real.
cat >>"$dir/postgresql.conf" <<CONF
listen_addresses = '127.0.0.1'
port = $port
unix_socket_directories = '$dir'
fsync = off
full_page_writes = off
max_connections = 200
autovacuum = off
CONF
run "$bin/pg_ctl" -D "$dir" -l "$dir/server.log" -w start >/dev/null
PGPASSWORD=postgres psql -h 127.0.0.1 -p "$port" -U postgres -q -c \
  "CREATE ROLE tarvicuser LOGIN CREATEDB PASSWORD 'pass987'" postgres
echo "host=127.0.0.1 port=$port"
