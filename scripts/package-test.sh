#!/usr/bin/env bash
# CI: builds the Debian package (scripts/package.sh), installs it with apt, sets up and checks a
# database with the installed tools as an ordinary user, starts the installed program as that
# user, and removes the package again: no file of it may stay behind, the user's database must.
# Runs as root (as .ci/run does).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
die() { echo "== $*" >&2; exit 1; }
[ "$(id -u)" = 0 ] || die "scripts/package-test.sh runs as root"
bash "$TOP/scripts/package.sh"
deb=$(ls "${TARVIC_DEB_BUILD_DIR:-$TOP/build-deb}"/tarvic_*.deb)
user=${TARVIC_PACKAGE_USER:-tarvic-ci}

echo "== Installing $deb"
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null
mapfile -t files < <(dpkg -L tarvic | while read -r f; do [ -d "$f" ] || echo "$f"; done)
for program in tarvic tarvic-admin; do [ -x "/usr/bin/$program" ] || die "$program is not in /usr/bin"; done

# A fresh user, with nothing of this process's environment but a path and a language.
userdel -r "$user" 2>/dev/null || true
useradd -m -s /bin/bash "$user"
home=$(getent passwd "$user" | cut -d: -f6)
as_user() { runuser -u "$user" -- env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 "$@"; }
echo "== The installed tools as $user"
as_user tarvic-admin setup --no-demo
as_user tarvic-admin check
version=$(as_user tarvic-admin version)
echo "$version"
project=$(sed -n 's/^project(tarvic VERSION \([^ ]*\) .*/\1/p' "$TOP/CMakeLists.txt")
[[ $version =~ ^tarvic-admin\ $project,\ schema\ version\ [0-9]+$ ]] || die "not version $project"
[ "$(stat -c %a "$home/.local/share/tarvic")" = 700 ] || die "the data folder is not 0700"
[ "$(stat -c %a "$home/.local/share/tarvic/tarvic.db")" = 600 ] || die "the database is not 0600"
[ "$(stat -c %a "$home/.odbc.ini")" = 600 ] || die "$home/.odbc.ini is not 0600"

# The installed program reaches its logon over the database just set up.
log=$(mktemp)
chmod 666 "$log"
runtime=$(runuser -u "$user" -- mktemp -d)
# Its process id is written first, so that exactly this copy is ended afterwards.
# shellcheck disable=SC2016 # $$ and $1 are the inner shell's
as_user XDG_RUNTIME_DIR="$runtime" QT_QPA_PLATFORM=offscreen TARVIC_NO_SPLASH=1 TARVIC_TRACE_WINDOWS=1 \
  TARVIC_ECHO_PROMPTS=1 sh -c 'echo $$ >"$1/pid"; exec timeout 120 tarvic' sh "$runtime" >"$log" 2>&1 &
for _ in $(seq 120); do grep -q '^shown|frm_logon' "$log" && break; sleep 1; done
if [ -s "$runtime/pid" ]; then kill "$(cat "$runtime/pid")" 2>/dev/null || true; fi
wait || true
grep -q '^shown|frm_logon' "$log" || { cat "$log"; die "the installed program did not reach its logon"; }
rm -rf "$log" "$runtime"

echo "== Removing the package"
DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq tarvic >/dev/null
for f in "${files[@]}"; do [ ! -e "$f" ] || die "left behind by apt remove: $f"; done
[ ! -e /usr/share/doc/tarvic ] || die "/usr/share/doc/tarvic left behind"
[ -s "$home/.local/share/tarvic/tarvic.db" ] || die "the user's database went with the package"
userdel -r "$user" 2>/dev/null || die "the user $user could not be removed"
echo "== Package built, installed, used and removed: $deb"
