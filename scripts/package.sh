#!/usr/bin/env bash
# Builds the Debian package: build-deb/tarvic_<version>_amd64.deb (the version is the project's,
# CMakeLists.txt), then checks it with lintian. The programs are built in a folder of their own,
# without tests, with the distribution's hardening flags as a Debian package build sets them.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_packages lintian appstream desktop-file-utils
BUILD=${TARVIC_DEB_BUILD_DIR:-$TOP/build-deb}
cd "$TOP" || exit 1
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
echo "== Building the package in $BUILD"
cmake -S "$TOP" -B "$BUILD" -DCMAKE_BUILD_TYPE=None -DBUILD_TESTING=OFF -DTARVIC_BENCH=OFF \
  -DCMAKE_C_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CFLAGS)" \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$BUILD" -j2
rm -f "$BUILD"/tarvic_*.deb
(cd "$BUILD" && cpack -G DEB >/dev/null)
deb=$(ls "$BUILD"/tarvic_*.deb)
echo "== Checking the menu entry, the metainfo and $deb"
desktop-file-validate "$TOP"/dist/*.desktop
appstreamcli validate --no-net "$BUILD"/dist/*.metainfo.xml
lintian --fail-on error --info "$deb"
echo "== Package: $deb"
