#!/usr/bin/env bash
# Builds the benchmarks (Release) and runs them on SQLite and, when TARVIC_TEST_PG names a
# server (or one can be started with scripts/pg-start.sh), on PostgreSQL.
# Usage: scripts/bench.sh [--fresh] [extra Google Benchmark flags, e.g. --benchmark_filter=balance]
#   --fresh   drop the cached databases first (the million rows and the big office; rebuilt, a few
#             minutes each)
# Environment: TARVIC_BENCH_BUILD (build dir, default ./build-bench),
#   TARVIC_BENCH_DIR (cache of the SQLite file, default /tmp/tarvic-bench),
#   TARVIC_BENCH_REPS (repetitions, best one kept in the summary; default 3),
#   TARVIC_BENCH_TARGET (tarvic_bench_data: numbering, saves and balances only, quick to build),
#   TARVIC_BENCH_CPUS (the cores the benchmarks and the server they start run on; default 0,
#   empty for wherever the system puts them).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TARVIC_BENCH_BUILD:-$root/build-bench}
reps=${TARVIC_BENCH_REPS:-3}
fresh=0
if [ "${1:-}" = --fresh ]; then fresh=1; shift; fi

# The cores of a shared virtual machine need not run at one speed (on ours one runs at two
# thirds of the other): a client on one and the server process answering it on another turn
# every ratio into a coin toss. Both sides of each comparison run on the same core instead.
cpus=${TARVIC_BENCH_CPUS-0}
pin=()
if [ -n "$cpus" ] && command -v taskset >/dev/null; then
  pin=(taskset -c "$cpus")
fi

if [ -z "${TARVIC_TEST_PG:-}" ] && [ -x "$root/scripts/pg-start.sh" ] && [ -x /usr/lib/postgresql/15/bin/pg_ctl ]; then
  TARVIC_TEST_PG=$("$root/scripts/pg-start.sh" 2>/dev/null | tail -1) || TARVIC_TEST_PG=
fi
# Connections made from now on are served by processes that inherit the server's core: the
# server answering on the port named (a throwaway one of scripts/pg-start.sh, found by the port
# its postmaster.pid records) is pinned like the benchmarks.
if [ -n "${TARVIC_TEST_PG:-}" ] && [ ${#pin[@]} -gt 0 ]; then
  port=$(sed -n 's/.*port=\([0-9]*\).*/\1/p' <<<"$TARVIC_TEST_PG")
  for pidfile in /tmp/tarvic-pg/postmaster.pid /tmp/*/postmaster.pid; do
    if [ -f "$pidfile" ] && [ "$(sed -n 4p "$pidfile")" = "${port:-5432}" ]; then
      taskset -acp "$cpus" "$(head -1 "$pidfile")" >/dev/null || true
      break
    fi
  done
fi

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTARVIC_BENCH=ON >/dev/null
target=${TARVIC_BENCH_TARGET:-tarvic_bench}
cmake --build "$build" --target "$target" -j"$(nproc)"
bin="$build/bench/$target"

if [ "$fresh" = 1 ]; then
  rm -f "${TARVIC_BENCH_DIR:-/tmp/tarvic-bench}"/{trn1m,office}-*.db
  if [ -n "${TARVIC_TEST_PG:-}" ]; then
    admin="$TARVIC_TEST_PG user=tarvicuser dbname=postgres"
    for db in $(PGPASSWORD=pass987 psql -X -At "$admin" \
                  -c "SELECT datname FROM pg_database WHERE datname LIKE 'tarvic_bench_%'"); do
      PGPASSWORD=pass987 psql -X -q "$admin" -c "DROP DATABASE $db WITH (FORCE)"
    done
  fi
fi

shift_args=("$@")
logs=$(mktemp -d)
status=0
run() {  # engine, then its environment
  local engine=$1; shift
  echo "=================== $engine ==================="
  env "$@" "${pin[@]}" "$bin" --benchmark_repetitions="$reps" --benchmark_enable_random_interleaving=true \
    "${shift_args[@]}" | tee "$logs/$engine.log" || status=1
}
run sqlite TARVIC_TEST_ENGINE=sqlite
if [ -n "${TARVIC_TEST_PG:-}" ]; then
  run pg TARVIC_TEST_ENGINE=pg TARVIC_TEST_PG="$TARVIC_TEST_PG"
else
  echo "PostgreSQL skipped: set TARVIC_TEST_PG=\"host=... port=...\""
  status=1
fi
# Both engines' summaries together at the end, and every failure again: a run that failed
# anywhere exits non-zero, whatever it printed before.
for f in "$logs"/*.log; do
  sed -n '/^== SUMMARY/,$p' "$f"
done
exit $status
