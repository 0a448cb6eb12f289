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
};

struct TableInfo {
    QString name;  // as the engine names it (upper case on SQLite, lower case on PostgreSQL)
    std::vector<ColumnInfo> columns;
    QString label() const { return name.toUpper(); }
};

// Every base table of the current schema, ordered by name, with its columns in their order.
std::vector<TableInfo> schemaTables(Database& db);

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
