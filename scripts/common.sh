# Shared by the set-up scripts: installs what TARVIC needs on Debian 12 and builds it.
set -euo pipefail
TOP=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${TARVIC_BUILD_DIR:-$TOP/build}

PACKAGES=(
  build-essential cmake ccache pkg-config git
  qt6-base-dev qt6-qpa-plugins libqt6sql6-odbc fonts-dejavu-core
  unixodbc unixodbc-dev odbcinst libsqliteodbc sqlite3 libsqlite3-dev
  odbc-postgresql postgresql-15 postgresql-client libpq-dev
  libsodium-dev libcurl4-openssl-dev libxlsxwriter-dev libbenchmark-dev zlib1g-dev
  python3 python3-aiosmtpd xvfb xauth imagemagick poppler-utils
  help2man
)

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

# Installs whatever of PACKAGES (and of the packages named) is missing.
install_packages() {
  local missing=()
  for p in "${PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "== Installing: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
}

build() {
  echo "== Building in $BUILD"
  cmake -S "$TOP" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  # TARVIC_TARGETS limits the build (the program needs neither tests nor benchmarks).
  # shellcheck disable=SC2086
  cmake --build "$BUILD" -j2 ${TARVIC_TARGETS:+--target $TARVIC_TARGETS}
}

# The embedded default database and a per-user data source TARVIC pointing at it (unless the
# user already has a data source of that name), the tables and the demo set: the program's own
# set-up (tarvic-admin setup), the same a first start from the desktop menu offers.
setup_embedded_database() {
  "$BUILD/src/tarvic-admin" setup "$@"
}
