#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine and opens TARVIC on the embedded default database.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_packages
TARVIC_TARGETS="tarvic tarvic-admin" build
setup_embedded_database
if [ -x "$BUILD/src/tarvic" ]; then
  if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "== No display: starting TARVIC under Xvfb"
    exec xvfb-run -a "$BUILD/src/tarvic" "$@"
  fi
  exec "$BUILD/src/tarvic" "$@"
fi
echo "== Set-up done; the program itself is not built yet."
