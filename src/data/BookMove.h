#pragma once
// Moving the books from the embedded database to an empty PostgreSQL database: the schema is
// created on the server and every table of the embedded one copied, all in one transaction on
// the server, then checked (the books, and each table's rows against what was read) before it
// commits. The embedded database is only read, under its write lock, so nothing changes in it
// while it is copied.
#include "Database.h"

#include <functional>

namespace tarvic {

struct MoveReport {
    int tables = 0;
    qint64 rows = 0;
};

// Throws DbError (Refused) when the move is refused or the copy differs, naming why and where:
// a value the server would refuse (a text longer than its column) or does refuse is named by
// its table, its row's key and its column. The server database is then left as it was.
// progress receives a line per table.
MoveReport moveToServer(Database& source, Database& target, const std::function<void(const QString&)>& progress);

}  // namespace tarvic
