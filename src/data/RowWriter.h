#pragma once
// The one way a master row is written: a new record is inserted, a shown one is updated by its
// key, and an update that finds no row (deleted or re-keyed on another workstation) is never
// turned into an insert: it reports "changed or deleted by another user". Audit times come
// from one clock, the database server's. A text longer than its column is refused before
// anything is written (TextTooLong, naming the column).
#include "Database.h"

namespace tarvic {

class RowWriter {
public:
    // Stamped: the table keeps CREATED_BY/CREATED_ON (set on insert only) and
    // UPDATE_BY/UPDATE_ON (set on every write).
    enum class Audit { None, Stamped };

    RowWriter(Database& db, QString userFullName) : db_(db), user_(std::move(userFullName)) {}

    // Adds the row of a new record. A row already under the key is refused by the table's
    // key (DbError Duplicate), never overwritten.
    void insert(const QString& table, const Columns& key, const Columns& columns, Audit audit = Audit::Stamped);
    // Rewrites the named columns of the row under the key. Exactly one row must change;
    // otherwise DbError Changed with kChangedByAnotherUser.
    void update(const QString& table, const Columns& key, const Columns& columns, Audit audit = Audit::Stamped);
    // insert() for a new record, update() for one that was read.
    void write(const QString& table, const Columns& key, const Columns& columns, bool isNew,
               Audit audit = Audit::Stamped);
    // For rows whose key the user types (a document code with an account code): added, or
    // rewritten in place when the key is already there, in one statement.
    void put(const QString& table, const Columns& key, const Columns& columns);

private:
    void checkLengths(const QString& table, const Columns& key, const Columns& columns, Audit audit);
    Database& db_;
    QString user_;
};

}  // namespace tarvic
