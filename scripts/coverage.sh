#!/usr/bin/env bash
# Line coverage of src/ by the test suite (SQLite; PostgreSQL too when TARVIC_TEST_PG is set):
# builds with --coverage into build-cov/, runs every test, prints the share of src/ lines run.
# Usage: scripts/coverage.sh [ctest arguments]
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_packages
BUILD=${TARVIC_COV_BUILD:-$TOP/build-cov}
find "$BUILD" -name '*.gcda' -delete 2>/dev/null || true
build -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS=--coverage -DCMAKE_C_FLAGS=--coverage \
  -DTARVIC_BENCH=OFF -DTARVIC_TEST_PG="${TARVIC_TEST_PG:-}"
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d /tmp/tarvic-xdg.XXXXXX)}
chmod 700 "$XDG_RUNTIME_DIR"
(cd "$BUILD" && ctest -j2 --timeout 900 "$@") || echo "== some tests failed: coverage is of what ran"
python3 "$TOP/scripts/coverage_summary.py" "$TOP" "$BUILD" "$BUILD/coverage.txt"
echo "== per file: $BUILD/coverage.txt"
