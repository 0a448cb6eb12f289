#pragma once
// Rows of M_TBL_TRANSACTION: every business document but the quotation. A document is saved
// whole or not at all: its number, its row, its mirrored pair and its lines share one
// database transaction. What each code pairs with, and how it points at its booking, is
// read from the document kinds (DocumentKinds.h), never stated by the caller; so is TO_ACC
// where the kind's rule fixes it (a caller's TO_ACC that differs is refused).
#include "Database.h"
#include "DocumentKinds.h"
#include "Money.h"

#include <QDateTime>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace tarvic {

struct Document {
    QString code;                    // a first code of the document kinds; numbered by its counter
    qint64 number = 0;               // 0: a new document, numbered when saved
    qint64 booking = 0;              // the booking posted against, for kinds linked to one
    Columns columns;                 // columns of the first row (and of the pair row, unless overridden)
    Money amount;                    // on the kind's side of the first row; the pair row mirrors it
    std::optional<AmountSide> side;  // only for kinds whose side is chosen per document
    bool nullOther = false;          // the side without the amount is left NULL instead of 0
    Columns pairColumns;             // columns that differ on the pair row (TO_ACC, ...)
    std::vector<Columns> lines;      // invoice lines, replaced whole on every save
};

// Runs inside the save's transaction before anything is written or numbered (the booking is
// still live and unlocked, dependants, caps). An empty text lets the save go on; any other
// text refuses it: DbError::Kind::Refused carrying that text, nothing written, no number used.
using SaveCheck = std::function<QString()>;

struct BalanceFilter {
    std::optional<qint64> party;
    std::optional<qint64> booking;   // IN_DOCCODE=kBookingCode AND IN_DOCNO=booking
    std::optional<QDateTime> until;  // DOC_DATE <= until
};

class TransactionRecords {
public:
    TransactionRecords(Database& db, QString userFullName) : db_(db), user_(std::move(userFullName)) {}

    // Saves a document in one transaction and returns its number. Number 0: a new document,
    // numbered from its code's counter and inserted. A number: its rows are updated in place
    // by key (CREATED_BY/ON kept); each must be there and live, or the whole save is rolled
    // back with DbError Changed (row gone) or Cancelled (a cancelled row is never rewritten).
    // An amount beyond the largest one (for parts, their total) is refused (DbError Refused).
    qint64 save(const Document& document, const SaveCheck& check = {});
    // One document whose parts share one number, one part per booking (a bulk posting of a
    // kind keyed by booking). All parts have the same code and number.
    qint64 save(const std::vector<Document>& parts, const SaveCheck& check = {});

    // Cancels a document: its rows, its pair and its lines, under every booking of its number,
    // with the server's clock. Rows already cancelled keep who cancelled them, when and why.
    // Returns the rows changed (0: nothing live under that number).
    int cancel(const QString& code, qint64 number, const QString& reason);

    // The booking is approved and its lock flag guarding this code is not 'Y' (NULL reads as
    // 'N'). Inside a save's check the booking row stays as read until the save ends.
    bool bookingOpen(const QString& code, qint64 booking);

    // DB_AMT - CR_AMT of approved rows whose code is in the named list (0 when none).
    Money balance(const QString& listName, const BalanceFilter& filter);
    // Same over explicit codes.
    Money balanceOf(const QStringList& codes, const BalanceFilter& filter);
    // The statement balanceOf runs for so many codes and this filter's keys, in paise, and its
    // values in order; kept prepared on both engines.
    static std::pair<QString, QVariantList> balanceStatement(const Dialect& dialect, const QStringList& codes,
                                                             const BalanceFilter& filter);

    // The codes of a named list in M_TBL_CODES ("'CBPT01','FRCR01'"), parsed. Read once per
    // TransactionRecords: a window that opens sees the lists as they are then.
    QStringList codeList(const QString& listName);
    // Parses an SQL list of quoted codes; throws DbError on anything else.
    static QStringList parseCodeList(const QString& sqlList);
    static QString placeholders(qsizetype n);

private:
    struct Row;
    void insert(const Row& row);
    void update(const Row& row);
    void replaceLines(const DocumentKind& kind, qint64 number, const std::vector<Columns>& lines);

    Database& db_;
    QString user_;
    QHash<QString, QStringList> lists_;
};

}  // namespace tarvic
