#pragma once
// What holds books or secrets is its owner's alone from the moment it exists: the embedded
// database and its journal, backups and server dumps, exports. Two layers: the programs' main()
// sets a umask of 077 (so the ODBC driver, pg_dump, libraries and Qt create 0600 files and 0700
// folders whatever creates them), and the routines that write such files create them 0600
// themselves, so that they stay private when called from elsewhere (tests, tools).
#include <QString>
#include <QTemporaryFile>

namespace tarvic {

class Database;

// Called first in main(), before any file is written or any ODBC call is made: a umask of 077
// for this process and the tools it starts, and psqlODBC's logs kept off.
void keepFilesPrivate();

// psqlODBC reads its communication and debug log switches (Debian turns the first on for every
// process) from its driver entry in odbcinst.ini when it is loaded, before it sees any
// connection string, and falls back to them whenever no connection is open: the keywords a
// connection gives (CommLog=0;Debug=0) cannot keep a log file out of /tmp. When the entry turns
// a log on, this process reads a copy of odbcinst.ini with every log switch at 0, in a folder of
// its own that also shows the system's odbc.ini; otherwise nothing changes. Must run before the
// first ODBC call: unixODBC keeps the folder it read first.
void keepDriverLogsOff();

// A file written under a name of its own beside its target, created 0600, and put in place
// whole by one rename (the target is replaced only when the new file is complete). Written by
// this process through file(), or by a tool or library given path(). Removed unless committed.
class PrivateSaveFile {
public:
    explicit PrivateSaveFile(const QString& target);
    PrivateSaveFile(const PrivateSaveFile&) = delete;
    PrivateSaveFile& operator=(const PrivateSaveFile&) = delete;

    // Creates the file; false with errorString() when it cannot be.
    bool open();
    QString path() const { return temp_.fileName(); }
    QFile& file() { return temp_; }
    // Flushes it to disk and renames it over the target; false with errorString().
    bool commit();
    QString errorString() const { return error_; }

private:
    QString target_;
    QTemporaryFile temp_;
    QString error_;
};

// Whether group or others may read the file (false for a file that does not exist).
bool othersMayRead(const QString& path);

// The file of the embedded database behind db; empty on a server.
QString databaseFile(Database& db);

}  // namespace tarvic
