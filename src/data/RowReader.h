#pragma once
// Reads the rows of a statement that returns many (a ledger, an outstanding list, a listing's
// page, an export) a block of rows per call into the driver instead of a call per cell.
//
//     RowReader r(db, "SELECT PARTY_CODE, PARTY_NAME FROM M_TBL_PARTY WHERE ...", {type});
//     while (r.next())
//         use(r.value(0).toLongLong(), r.value(1).toString());
//
// The statement runs through Database::exec (bound values, retries, counting and injected
// failures as for any other); only its rows are fetched differently, into buffers bound column
// by column. Values come typed as QSqlQuery gives them on this connection: whole numbers as
// int or qlonglong, decimal and floating columns as exact text, dates as QDate, moments as
// QDateTime, the rest as text; a NULL is a null QVariant of the column's type. A value becomes a
// QVariant only when asked for; cell() hands the buffer itself to a reader that writes every
// cell of many rows (the export).
#include "Database.h"

#include <QDate>
#include <QSqlRecord>
#include <QTime>

#include <memory>
#include <vector>

namespace tarvic {

class RowReader {
public:
    RowReader(Database& db, const QString& sql, const QVariantList& values = {});
    ~RowReader();
    RowReader(const RowReader&) = delete;
    RowReader& operator=(const RowReader&) = delete;

    // Steps to the next row; false after the last. Throws DbError when the driver fails.
    bool next();
    int columnCount() const { return int(values_.size()); }
    // The column of a field name, -1 when there is none (as QSqlRecord::indexOf).
    int indexOf(const QString& field) const { return record_.indexOf(field); }
    const QVariant& value(int column) const;

    // The current row's value in a column as the driver's buffer holds it, valid until next().
    // Kind::Variant when the rows come one by one: read value() then.
    struct Cell {
        enum class Kind { Null, Integer, Decimal, Text, Date, Time, Moment, Variant };
        Kind kind = Kind::Variant;
        qint64 integer = 0;
        QLatin1String decimal;  // exact decimal text as the driver gives it
        QStringView text;
        QDate date;
        QTime time;
    };
    Cell cell(int column) const;
    // The column names, with the current row's values.
    const QSqlRecord& record() const;
    // Fetches only the columns listed (before the first next()): a reader that needs a few
    // columns of a wide select spares the driver converting the rest, which read as NULL.
    void onlyColumns(const std::vector<int>& columns);
    // Whether the rows come in blocks (false: the driver refused, and they come one by one).
    bool inBlocks() const { return block_ != nullptr; }

private:
    struct Block;
    void fetchBlock();
    void takeRow();

    QSqlQuery query_;
    std::unique_ptr<Block> block_;
    mutable std::vector<QVariant> values_;
    mutable std::vector<char> have_;  // values_[i] holds the current row's value
    mutable QSqlRecord record_;
    mutable bool recordStale_ = true;
};

}  // namespace tarvic
