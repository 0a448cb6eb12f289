#pragma once
// One receipt or payment spread over several bookings of one party under one number (the
// receipt bulk posting FRDB01/FRCR01, the payment one FTCR01/FTDB01). Every booking line
// becomes one pair of rows; all pairs are saved in one transaction with the counter inside,
// each line's booking checked there again (it must exist, be live and not locked for the
// kind, and appear once).
#include "data/Database.h"
#include "data/Money.h"

#include <QDate>

#include <functional>
#include <vector>

namespace tarvic {

struct BulkLine {
    qint64 booking = 0;
    Money amount;  // whole rupees
};

// Why a booking cannot take a line of this code, or empty: unknown, not live, locked for the
// code, or already among lines. Inside a transaction the booking row stays as read.
QString bulkLineFault(Database& db, const QString& code, qint64 booking, const std::vector<BulkLine>& lines);

struct BulkPosting {
    QString code;  // first code of the pairs; its counter numbers the posting
    QDate date;
    qint64 party = 0;
    qint64 bank = 0;
    qint64 payMode = 0;
    QString instrNo;
    QDate instrDate;  // invalid: none
    QString narration;
    QString remarks;
    std::vector<BulkLine> lines;
};

// Saves the posting and returns its number; refused (DbError Refused) with the first line's
// fault. progress hears each line as it is checked (lines done, its booking).
qint64 postBulk(Database& db, const QString& user, const BulkPosting& posting,
                const std::function<void(int done, qint64 booking)>& progress = {});

// The party's bookings that are not settled over the code list, newest first.
struct UnsettledBooking {
    qint64 booking = 0;
    Money balance;
    QString guest;
    QVariant start, end;
};
std::vector<UnsettledBooking> unsettledBookings(Database& db, const QStringList& codes, qint64 party);

// A saved posting: its first row (DOC_DATE, PARTY_CODE, PARTY_NAME, TO_BANKID, PAY_MODEID,
// INSTR_NO, INSTR_DATE, DOC_STATUS, CREATED_BY, CREATED_ON) and its lines in order.
struct SavedBulkPosting {
    QSqlRecord head;
    std::vector<BulkLine> lines;
};
std::optional<SavedBulkPosting> savedBulkPosting(Database& db, const QString& code, qint64 number);

}  // namespace tarvic
