#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine and runs every test: on SQLite, and on PostgreSQL when
# TARVIC_TEST_PG names a server (scripts/pg-start.sh starts a throwaway one; so does .ci/run).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_packages
if [ -z "${TARVIC_TEST_PG:-}" ] && [ "${TARVIC_TEST_NO_PG:-}" != 1 ]; then
  TARVIC_TEST_PG=$("$TOP/scripts/pg-start.sh") || { echo "== PostgreSQL could not start: SQLite only"; TARVIC_TEST_PG=; }
fi
export TARVIC_TEST_PG
build -DTARVIC_TEST_PG="${TARVIC_TEST_PG:-}"
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d /tmp/tarvic-xdg.XXXXXX)}
chmod 700 "$XDG_RUNTIME_DIR"
cd "$BUILD"
ctest -j2 --output-on-failure --timeout 900 "$@"
