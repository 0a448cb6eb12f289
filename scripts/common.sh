# Shared by the set-up scripts: installs what TARVIC needs on Debian 12 and builds it.
set -euo pipefail
TOP=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${TARVIC_BUILD_DIR:-$TOP/build}

PACKAGES=(
  build-essential cmake ccache pkg-config git
  qt6-base-dev qt6-qpa-plugins libqt6sql6-odbc fonts-dejavu-core
  unixodbc unixodbc-dev odbcinst libsqliteodbc sqlite3 libsqlite3-dev
  odbc-postgresql postgresql-15 postgresql-client libpq-dev
  libsodium-dev libcurl4-openssl-dev libxlsxwriter-dev libbenchmark-dev
  python3 python3-aiosmtpd xvfb xauth imagemagick poppler-utils
)

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

install_packages() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
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

# The embedded default database and a per-user data source TARVIC pointing at it, unless the
# user already has a data source of that name. The database holds every customer, amount and
# password hash, and a data source file may hold a server password: the folder is the owner's
# alone (0700, tightened when it exists), the database and the data source file 0600.
setup_embedded_database() {
  local dbdir="${XDG_DATA_HOME:-$HOME/.local/share}/tarvic"
  local db="$dbdir/tarvic.db"
  local ini
  ini=$(odbcinst -j 2>/dev/null | sed -n 's/^USER DATA SOURCES\.*: *//p')
  ini=${ini:-$HOME/.odbc.ini}
  if odbcinst -q -s -n TARVIC >/dev/null 2>&1; then
    echo "== Data source TARVIC already defined ($ini): left as it is"
  else
    (
      umask 077
      mkdir -p "$dbdir"
      [ -f "$db" ] || sqlite3 "$db" 'PRAGMA journal_mode=DELETE;' >/dev/null
      cat >>"$ini" <<INI

[TARVIC]
Description=TARVIC embedded database
Driver=/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so
Database=$db
Timeout=5000
JournalMode=DELETE
SyncPragma=FULL
FKSupport=1
NoCreat=1
INI
    )
    chmod 600 "$ini"
    echo "== Data source TARVIC defined in $ini for $db"
  fi
  make_data_private "$dbdir"
  "$BUILD/src/tarvic-admin" init
}

# Takes group and others off the data folder and every file in it (the database, its journal).
make_data_private() {
  [ -d "$1" ] || return 0
  chmod go-rwx "$1"
  find "$1" -maxdepth 1 -type f -exec chmod go-rwx {} +
}
