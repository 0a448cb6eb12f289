#pragma once
// A user's own database, set up without a terminal or with one: the embedded default in a
// private folder, the data source for it in the user's own odbc.ini, the tables, and the demo
// set when wanted. The program offers it on a first run; tarvic-admin setup does the same.
#include "DemoData.h"
#include "data/SchemaUpgrade.h"

namespace tarvic {

// ${XDG_DATA_HOME:-~/.local/share}/tarvic: the embedded database's folder, and where upgrade
// backups of a server database go.
QString dataFolder();
// The embedded database in it.
QString embeddedDatabaseFile();
// The user's own data source file, as unixODBC finds it: ODBCINI, else ~/.odbc.ini of the
// home directory in the password database (unixODBC ignores $HOME).
QString userDataSourceFile();
// Whether a data source of that name is defined, for this user or for every user.
bool dataSourceDefined(const QString& dsn);

// Creates the folder 0700, or takes group and others off one that exists, and off every file in
// it (the database and its journal, copies of it): the database holds every customer, every
// amount and the logins' password hashes. What cannot be changed is left as it is: the program
// still starts.
void makeDataFolderPrivate(const QString& folder = dataFolder());

// Defines dsn for the embedded database unless it is defined already (then nothing is touched):
// the folder made private, an empty database file 0600 if there is none, and the data source
// appended to the user's own file, which is then made 0600 (it may hold a server's password).
// Returns whether it was defined now. Throws DbError Refused when a file cannot be written.
// unixODBC keeps what it looked up of a data source for twenty seconds: a process that has
// tried to connect to dsn just before would not see the new definition yet, so the set-up comes
// before any such attempt.
bool defineEmbeddedDataSource(const QString& dsn, const Say& say);

struct DatabaseInit {
    SchemaUpgrade schema;
    DemoDataResult demo;
};

// The schema brought up to date (see upgradeSchema) and, when asked, the demo set added once
// together with a voucher of each printed kind. Says what it did, a line each.
DatabaseInit initDatabase(Database& db, const ConnectionString& cs, bool demo, const Say& say);

// The whole set-up: the embedded data source defined unless cs.dsn exists, then initDatabase.
DatabaseInit setUpDatabase(const ConnectionString& cs, bool demo, const Say& say);

}  // namespace tarvic
