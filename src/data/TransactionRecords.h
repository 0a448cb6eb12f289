#pragma once
// Rows of M_TBL_TRANSACTION: every business document but the quotation. A document is saved
// whole or not at all: its number, its row, its mirrored pair and its lines share one
// database transaction.
#include "Database.h"
#include "Money.h"

#include <QDateTime>
#include <utility>
#include <vector>

namespace tarvic {

// Column name and value, in the order they are written. Names are the table's own.
using Columns = std::vector<std::pair<QString, QVariant>>;

struct Document {
    QString code;             // first row's code, and the counter that numbers it
    qint64 number = 0;        // 0: a new document, numbered when saved
    Columns columns;          // columns of the first row (and of the pair row, unless overridden)
    Money debit;              // DB_AMT of the first row
    Money credit;             // CR_AMT of the first row
    bool amounts = true;      // false: DB_AMT/CR_AMT not written (invoices, leads)
    bool nullOther = false;   // the side without the amount is left NULL instead of 0

    QString pairCode;         // second code of a money document: same number, swapped amounts
    Columns pairColumns;      // columns that differ on the pair row (TO_ACC, ...)

    QString lineCode;         // invoice lines: INV002 under INV001, INV007 under INV006
    std::vector<Columns> lines;

    // Money receipts and bulk postings find their row by the booking too.
    bool keyedByBooking = false;
};

struct BalanceFilter {
    std::optional<qint64> party;
    std::optional<qint64> booking;     // IN_DOCCODE='CBPT01' AND IN_DOCNO=booking
    std::optional<QDateTime> until;    // DOC_DATE <= until
};

class TransactionRecords {
public:
    TransactionRecords(Database& db, QString userFullName)
        : db_(db), user_(std::move(userFullName)) {}

    // Saves a document in one transaction and returns its number (taken from the counter of
    // document.code when the number is 0). Saving again under the number updates its rows
    // in place and keeps CREATED_BY/CREATED_ON. Throws DbError; nothing is then kept.
    qint64 save(const Document& document);

    // Upserts one row by key; CREATED_BY/ON only on a new row. Part of the caller's
    // transaction when there is one.
    void upsert(const QString& code, qint64 number, const Columns& columns,
                const std::optional<std::pair<QString, qint64>>& inDoc = std::nullopt);

    // Adds the row of a newly numbered document. A row already under that key (a counter
    // set back below numbers in use) is refused, never overwritten.
    void insert(const QString& code, qint64 number, const Columns& columns,
                const std::optional<std::pair<QString, qint64>>& inDoc = std::nullopt);

    // Replaces the lines of an invoice.
    void replaceLines(const QString& lineCode, const QString& headerCode, qint64 number,
                      const std::vector<Columns>& lines);

    // DB_AMT - CR_AMT of approved rows whose code is in the named list (0 when none).
    Money balance(const QString& listName, const BalanceFilter& filter);
    // Same over explicit codes.
    Money balanceOf(const QStringList& codes, const BalanceFilter& filter);

    // Marks a document and its pair cancelled with the server's clock. Returns rows changed.
    int cancel(const QStringList& codes, qint64 number, const QString& reason);

    // The codes of a named list in M_TBL_CODES ("'CBPT01','FRCR01'"), parsed. Read once per
    // TransactionRecords: a window that opens sees the lists as they are then.
    QStringList codeList(const QString& listName);
    // Parses an SQL list of quoted codes; throws DbError on anything else.
    static QStringList parseCodeList(const QString& sqlList);
    static QString placeholders(qsizetype n);

private:
    Database& db_;
    QString user_;
    QHash<QString, QStringList> lists_;
};

}  // namespace tarvic
