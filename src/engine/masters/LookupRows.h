#pragma once
// The rows of the small look-up tables kept in an editable grid (code lists, counters,
// document codes): one row written or deleted by its key, as the grid's configuration names
// its table and columns.
#include "data/RowWriter.h"

#include <functional>

namespace tarvic {

struct LookupRow {
    QString table;
    QString keyColumn;
    QVariant key;  // the key the row was read under; unused for a new row
    bool isNew = false;
    Columns columns;  // every column of the row, the key's own among them
    // A new row whose key column at this index is null takes the next number of the table
    // (the highest plus one); -1: never numbered.
    int numbered = -1;
    // The member's own rule, inside the transaction: a non-empty text refuses the row with it.
    std::function<QString(Database&, const Columns&)> rowCheck;
};

// Writes the row and returns the key it is stored under. Two workstations may take the same
// next number at once: the second one takes the next.
QVariant saveLookupRow(Database& db, LookupRow row);

void deleteLookupRow(Database& db, const QString& table, const QString& keyColumn, const QVariant& key);

}  // namespace tarvic
