#pragma once
// Backups that restore, for either engine. The embedded database is copied page by page
// through SQLite's online backup under one read lock, so the copy is of one moment even while
// programs are saving; a server database goes through pg_dump's custom format and pg_restore,
// with the data source's connection details and its password handed over in the child's
// environment only. A backup is written beside its name and renamed into place when whole.
#include "BooksCheck.h"
#include "Database.h"

#include <functional>

namespace tarvic {

using Say = std::function<void(const QString&)>;

// Writes a backup of the database behind cs to file. Throws DbError: Refused with the reason
// when the backup cannot be taken or read back, Other when the engine's own tool fails.
void backupDatabase(const ConnectionString& cs, const QString& file, const Say& say);

// Restores file into the database behind cs. A database that holds tables is refused unless
// replace is given. Returns the books check of the restored database.
BooksReport restoreDatabase(const ConnectionString& cs, const QString& file, bool replace, const Say& say);

}  // namespace tarvic
