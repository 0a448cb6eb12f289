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
// QDateTime, the rest as text; a NULL is a null QVariant of the column's type.
#include "Database.h"

#include <QSqlRecord>

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
    const QVariant& value(int column) const { return values_[size_t(column)]; }
    // The column names, with the current row's values.
    const QSqlRecord& record() const;
    // Whether the rows come in blocks (false: the driver refused, and they come one by one).
    bool inBlocks() const { return block_ != nullptr; }

private:
    struct Block;
    void fetchBlock();
    void takeRow();

    QSqlQuery query_;
    std::unique_ptr<Block> block_;
    std::vector<QVariant> values_;
    mutable QSqlRecord record_;
    mutable bool recordStale_ = true;
};

}  // namespace tarvic
