#pragma once
// A quotation's priced lines (hotel stays, vehicle hire, other charges) without any window:
// their pricing, and the one transaction that stores or deletes a line, rewrites its day rows
// from the stored line and re-prices the quotation and a live booking made from it.
#include "data/Database.h"
#include "data/Money.h"
#include "engine/sales/QuotationStore.h"

#include <QDate>
#include <QList>
#include <QString>

namespace tarvic {

// Shown when a line is saved or deleted on a quotation not open for entry (kQuotationLocked
// when it is locked).
inline const QString kQuotationNotOpen = QStringLiteral("CANNOT PROCEED, QUOTATION IS NOT OPEN FOR ENTRY ....");

// One priced component of a hotel line: count x rate x nights.
struct Component {
    qint64 count = 0;
    Money rate;
};

struct HotelPrice {
    QDate checkOut;  // moved to check-in + 1 when it was not after check-in
    int nights = 0;
    QList<Money> totals;  // one per component, in the order given
    Money total;
    // A component's cost or the total lies beyond the largest amount; those are left at 0.
    bool exceeded = false;
};
HotelPrice priceHotel(const QDate& checkIn, const QDate& checkOut, const QList<Component>& components);

struct VehiclePrice {
    QDate end;  // moved to start + 1 when it was before the start
    int days = 0;
    Money total;            // vehicles x rate: the rate is for the whole hire, whatever its days
    bool exceeded = false;  // the total lies beyond the largest amount (then left at 0)
};
VehiclePrice priceVehicle(const QDate& start, const QDate& end, qint64 vehicles, Money rate);

// quantity x cost; nullopt beyond the largest amount.
inline std::optional<Money> priceOther(qint64 quantity, Money cost) {
    return cost.times(quantity);
}

// The quotation header as a line window shows it and every line copies it.
struct LineQuotation {
    qint64 number = 0;
    QString docCode;
    QDate docDate;
    qint64 leadNo = 0;
    qint64 itineraryNo = 0;
    QDate journeyStart;
    QString status;
    bool locked = false;
    // Lines may be added, changed and deleted.
    bool openForEntry() const { return status == QLatin1String("QOFE") && !locked; }
};
// The stored header, or number 0 when there is none. Throws DbError.
LineQuotation readQuotationHeader(Database& db, qint64 quotationNo);

// What a kind of line (ACCOUNT_DESC) is called where people read it: OTHRCHRG is "OTHER
// CHARGES"; HOTEL and VEHICLE are their own names.
QString lineKindName(const QString& kind);

// A line as a window stores it: its kind's own columns (TOUR_DATE, TOTAL_AMOUNT, REMARKS and
// the kind's), and the first day and number of its day rows (none for other charges).
struct LineToStore {
    qint64 quotationNo = 0;
    qint64 lineNo = 0;  // 0 for a new line
    QString kind;       // ACCOUNT_DESC: HOTEL, VEHICLE, OTHRCHRG
    Columns columns;
    QDate firstDay;
    int days = 0;
};

// In one transaction: refuses a quotation not open for entry or locked (DbError Refused with
// kQuotationNotOpen / kQuotationLocked), takes a new line's number from the quotation's line
// counter, writes the line by key (only its own columns: a hotel line's status stays), deletes
// and rewrites its day rows from the stored line, and re-prices the quotation and its live
// booking (repriceQuotation: a booking whose own lock is set refuses the line). Returns the
// line number. Throws DbError; then nothing stays and no number is used.
qint64 storeQuotationLine(Database& db, const QString& user, const LineToStore& line);

// In one transaction: the line and, when withDays, its day rows; then the quotation and its
// live booking re-priced as a stored line does.
// A line that is no longer there is reported (DbError Changed).
void deleteQuotationLine(Database& db, const QString& user, qint64 quotationNo, qint64 lineNo, const QString& kind,
                         bool withDays);

// How many day rows a stored line has: a hotel stay one per night (none without a check-out),
// a vehicle hire one per day from its start to its end inclusive (one without an end).
int lineDayCount(const QString& kind, const QDate& from, const QDate& to);

// Adds the day rows (QGBL03) of a stored line, one per day from firstDay, each a copy of the
// line as stored now, so that what other windows wrote on it (the hotel status) reaches its
// days. Runs inside the caller's transaction; the caller clears the old day rows first.
void insertLineDays(Database& db, qint64 quotationNo, qint64 lineNo, const QString& kind, const QDate& firstDay,
                    int days);

// A hotel's destination as its lines show it: "<state>, <place>" of the hotel party.
QString hotelDestination(Database& db, qint64 hotel);

// The latest CHKOT_DT of the quotation's lines of a kind (where the next one starts), or null.

QDate lastCheckOut(Database& db, qint64 quotationNo, const QString& kind);

}  // namespace tarvic
