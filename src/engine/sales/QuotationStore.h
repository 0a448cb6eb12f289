#pragma once
// A quotation header as the quotation window edits it, and the statements that read and store
// it: no widget here, so the save's rules (lock, number, header, booking, lead, itinerary copy)
// are one function the window, its silent save and the tests share.
#include "data/Database.h"
#include "engine/sales/QuotationTotals.h"

#include <QDate>
#include <QList>
#include <QSqlRecord>

#include <optional>

namespace tarvic {

inline const QString kQuotationCode = QStringLiteral("QGBL01");
// Shown when a locked quotation, or a line of it, would be written.
inline const QString kQuotationLocked = QStringLiteral("CANNOT PROCEED, QUOTATION IS LOCKED ....");

struct QuotationHeader {
    qint64 number = 0;
    QDate docDate;
    qint64 leadNo = 0;
    qint64 itineraryNo = 0;
    QString bookedBy, touristName, touristMobile, touristEmail;
    int adults = 0;
    int children = 0;
    QString ages;
    QDate start, end;
    Money total;
    MarkUp markUp = MarkUp::Percent;
    Totals totals;
    QString taxCode;  // empty: no tax chosen
    Percent taxPer;
};

// The header with its tax name (outer-joined: a quotation without a tax opens too) and its
// itinerary's ITN_NAME, ITN_DURATION and ITN_DAYS.
std::optional<QSqlRecord> readQuotation(Database& db, qint64 number);

enum class SaveKind {
    Full,    // Save_Record: a new one takes its number; the itinerary is copied
    Silent,  // Save_Transaction: the number already given, header, booking and lead only
};

// Inside a write transaction: holds the stored header until the transaction ends and refuses a
// quotation locked since it was read (kQuotationLocked) or gone.
void lockQuotationForWrite(Database& db, qint64 number);

// Shown when a change would re-price a live booking whose own lock is set: the booking's price
// is fixed, and its quotation may not drift away from it.
QString bookingLockedMessage(qint64 booking);

struct Repriced {
    Totals totals;           // the header's, as written
    QList<qint64> bookings;  // the live bookings that took them
};

// The one re-pricing of a quotation, from stored rows, in one transaction (joining the
// caller's): the header from the sum of its stored lines with its stored mark-up, commission,
// taxable amount and tax percentage; then every live booking made from it from the stored
// header (price, its debit, travellers, dates). A live booking whose own lock is set refuses
// the whole change (DbError Refused, bookingLockedMessage), so a quotation and its booking
// never part. Throws DbError Changed when the header is gone, Refused naming a figure beyond
// the largest amount.
Repriced repriceQuotation(Database& db, const QString& user, qint64 quotationNo);

// Stores the header in one transaction (joining the caller's): the lock re-read first (a locked
// quotation is refused with kQuotationLocked, nothing written), the number of a new quotation
// from counter QGBL01, the header by key, the quotation and a live booking made from it re-priced (repriceQuotation),
// the lead's travellers written back, and for a full save the itinerary copied. Returns the number. A figure beyond the
// largest amount is refused (DbError Refused naming it), nothing written.
qint64 storeQuotation(Database& db, const QString& user, const QuotationHeader& h, SaveKind kind);

}  // namespace tarvic
