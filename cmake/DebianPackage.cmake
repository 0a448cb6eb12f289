# The Debian package, made by CPack's DEB generator from the install rules (scripts/package.sh).
#
# CPack rather than a debian/ folder built with debhelper: the version is the project's own
# (project() above, which tarvic-admin version prints) with no second copy in a debian/changelog
# to keep in step; what goes where is said once, by the install rules that `cmake --install` uses
# too; the package is made from the same build tree, with no second build system and no extra
# toolchain. What debhelper would add is done here in a few lines: dependencies from the
# binaries (dpkg-shlibdeps), stripped binaries, the changelog and manual pages compressed
# (dist/CMakeLists.txt), the distribution's hardening flags (scripts/package.sh).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvic)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGE_CONTACT "TARVIC maintainers <maintainers@tarvic.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "back office of a tour operator that sells package tours")
# The summary is the synopsis line; this is the extended description below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "TARVIC carries an enquiry from first contact to closed books: leads per tour
consultant, quotations with a day-by-day itinerary, bookings, supplier advice
notes, receipts, payments, refunds, GST invoices, ledgers and balances, printed
vouchers and spreadsheet exports. Workstations share a PostgreSQL database
through ODBC, or one keeps its books in an embedded SQLite database that the
program offers to create on its first start.")
# The libraries come from the binaries; what is loaded by name does not: Qt's ODBC driver, the
# SQLite ODBC driver of the embedded default, the vouchers' font. (Qt's X11 plugin comes with
# libqt6gui6; qt6-qpa-plugins holds only VNC and TUIO.) A shared server needs the PostgreSQL
# ODBC driver, and its backups pg_dump; a Wayland desktop gets its own plugin, and the
# administrator unixODBC's tools.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-odbc, libsqliteodbc, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "odbc-postgresql, postgresql-client, qt6-wayland, unixodbc")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
  WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
