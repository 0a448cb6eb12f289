#pragma once
// How long a value each column takes, read from the schema itself and nowhere else: a text
// column's declared VARCHAR(n) (SQLite keeps the declaration without enforcing it, PostgreSQL
// enforces it), and for a number column the characters its values are typed in. Read once per
// connection (Database::columnLengths) and held to by the fields that type into a column, by
// every write of a named column, by the move to a server and by the books check.
//
//     checkTextLengths(db, "M_TBL_PARTY", columns);  // before the INSERT or UPDATE
#include "Database.h"

#include <QHash>
#include <QString>

#include <vector>

namespace tarvic {

struct Document;

class ColumnLengths {
public:
    // Reads the columns of every table of db's schema.
    explicit ColumnLengths(Database& db);

    bool knows(const QString& table) const;
    // A text column's declared length in characters; 0 for any other column or an unknown one.
    int textLength(const QString& table, const QString& column) const;
    // The characters a field of the column may hold: a text column's declared length; for a
    // whole number the digits that always fit its type (9 for INTEGER, 18 for BIGINT); for a
    // decimal its digits and point (NUMERIC(18,2): 19); for a date or moment the ten of
    // dd/mm/yyyy; 0 when the column sets no bound.
    int fieldLength(const QString& table, const QString& column) const;

private:
    struct Bound {
        int text = 0;
        int field = 0;
    };
    Bound bound(const QString& table, const QString& column) const;
    QHash<QString, Bound> columns_;  // "TABLE.COLUMN", upper case
    QHash<QString, bool> tables_;    // upper case
};

// A text's length as both engines count it: characters (code points), not UTF-16 units.
qsizetype characterCount(const QString& text);

// The house-style refusal of a text longer than its column, naming what it is
// ("ADDRESS CANNOT BE LONGER THAN 1000 CHARACTERS ....").
QString tooLongText(const QString& caption, int limit);

// A text refused for its length before it was written. It names the table and column, so that
// a window can name and focus its own field for them; its message names the column.
class TextTooLong : public DbError {
public:
    TextTooLong(const QString& table, const QString& column, int limit);
    const QString& table() const { return table_; }
    const QString& column() const { return column_; }
    int limit() const { return limit_; }

private:
    QString table_;
    QString column_;
    int limit_;
};

// Throws TextTooLong for the first text value longer than its column. Called by every write
// of named columns before the statement runs: PostgreSQL would refuse it naming no column, and
// SQLite would store it, to be refused later by a server the books are moved to.
void checkTextLengths(Database& db, const QString& table, const Columns& columns);
// The same over every row a document save writes (its columns, its pair's and its lines').
void checkTextLengths(Database& db, const std::vector<Document>& parts);

}  // namespace tarvic
