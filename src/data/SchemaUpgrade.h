#pragma once
// A newer program over an older database: the books are backed up before the first migration
// touches them, so an upgrade that goes wrong costs nothing. A database newer than the program
// is refused, since the older program would not know what its tables now mean.
#include "Backup.h"
#include "Database.h"

#include <sys/stat.h>

namespace tarvic {

// While alive, the files this process creates are its owner's alone (umask 077).
class OwnerOnlyFiles {
public:
    OwnerOnlyFiles() : old_(::umask(077)) {}
    ~OwnerOnlyFiles() { ::umask(old_); }
    OwnerOnlyFiles(const OwnerOnlyFiles&) = delete;
    OwnerOnlyFiles& operator=(const OwnerOnlyFiles&) = delete;

private:
    mode_t old_;
};

struct SchemaUpgrade {
    int from = 0;     // schema version found (0: an empty database)
    int to = 0;       // schema version now
    int applied = 0;  // migrations applied
    QString backup;   // the backup taken first; empty when none was needed
};

// The backup's name: the database's name, the day and the schema version it holds, e.g.
// tarvic-2026-12-07-schema12.backup.
QString upgradeBackupName(const QString& database, const QDate& day, int version);

// Brings the schema of the database behind cs (open as db) up to this program's. An empty
// database just gets the schema; an older one is first backed up with the backup command's own
// code, mode 0600: beside the embedded database's file, or into serverBackupFolder for a server
// database. Throws DbError Refused, with a message naming both versions, when the database is
// newer than the program, and when the backup cannot be taken (then nothing is changed).
SchemaUpgrade upgradeSchema(Database& db, const ConnectionString& cs, const QString& serverBackupFolder,
                            const Say& say);

}  // namespace tarvic
