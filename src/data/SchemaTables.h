#pragma once
// The tables of a database as its own schema lists them (never a hand-kept list, so tables
// added later are carried too), and a fingerprint of each table's rows that reads the same on
// either engine: every value is read as text and brought to one canonical form by its column's
// kind (amounts with their exact decimals, moments and dates as ISO text, NULL apart from empty).
#include "Database.h"

#include <QByteArray>
#include <QStringList>

#include <functional>
#include <vector>

namespace tarvic {

enum class ValueKind { Integer, Decimal, Float, Moment, Date, Time, Text };

struct ColumnInfo {
    QString name;  // as the engine names it
    ValueKind kind = ValueKind::Text;
    int scale = -1;  // decimals of a Decimal column; -1 when the type does not fix them
    QString type;    // the engine's type, as CAST accepts it
    int length = 0;     // a text column's declared length in characters (VARCHAR(n)); 0 when none
    int precision = 0;  // the digits a Decimal column declares (NUMERIC(p,s)); 0 when none
    int keyPosition = 0;  // 1, 2, ... for the columns of the table's primary key, in its order
};

struct TableInfo {
    QString name;  // as the engine names it (upper case on SQLite, lower case on PostgreSQL)
    std::vector<ColumnInfo> columns;
    QString label() const { return name.toUpper(); }
    // The names of the primary key's columns in its order; the first two columns for a table
    // without one (as its rows are named elsewhere: a document's code and number).
    QStringList keyColumns() const;
};

// Every base table of the current schema, ordered by name, with its columns in their order.
std::vector<TableInfo> schemaTables(Database& db);

// A row named by its key, as a report names it: "PARTY_CODE=5", "DOC_CODE=CBPT01, DOC_NO=3".
QString rowKeyText(const QStringList& names, const QStringList& values);

// A value brought to its canonical text; throws DbError (Refused) naming the value when it
// cannot be read as its kind. A null QString stays null.
QString canonicalValue(const QString& text, const ColumnInfo& column);

// Each value of one row (read as text, a null QString for NULL) brought to its canonical form
// in place; throws DbError (Refused) naming the table, column and row of a value that is not
// of its column's kind.
void canonicalRow(const TableInfo& table, QStringList& values, qint64 rowNumber);
// "CAST(column AS TEXT), ..." over the table's columns in their order.
QString columnsAsText(const TableInfo& table);

// Reads a table's rows in chunks, each value as text (a null QString for NULL) brought to its
// canonical form; row is called once per row with the values in column order.
void readRows(Database& db, const TableInfo& table, const std::function<void(const QStringList&)>& row);

// The digest of one canonical row.
QByteArray rowDigest(const QStringList& values);

// A table's row count and a checksum of its rows that does not depend on their order. Each row
// is also named (its first two values) so that a difference can be told where it is.
struct TableFingerprint {
    qint64 rows = 0;
    std::vector<std::pair<QByteArray, QString>> digests;  // sorted
    void add(const QStringList& values);
    void finish();
    QByteArray checksum() const;
    // Empty when equal, else what differs: counts and the first row found on one side only.
    QString differenceFrom(const TableFingerprint& other, const QString& thisSide, const QString& otherSide) const;
};

TableFingerprint fingerprint(Database& db, const TableInfo& table);

}  // namespace tarvic
