#pragma once
// A supplier's advice note (hotel ANCP01, vehicle ANCP02, other charge ANCP03) without any
// window: the booking it is posted against, its day counts, and the one transaction that
// stores it. The note credits its supplier; its narration names its own number, so the
// narration is written in the same transaction once the number is known.
#include "data/Database.h"
#include "data/Money.h"

#include <QDate>
#include <QSqlRecord>

#include <optional>

namespace tarvic {

enum class AdviceKind { Hotel, Vehicle, Other };

// The document code of a kind: ANCP01, ANCP02, ANCP03.
QString adviceCode(AdviceKind kind);

// Shown when the booking of a note is cancelled or locked for its kind, at save or open.
inline const QString kAdviceBookingShut = QStringLiteral("CANNOT PROCEED, CBPT IS CANCELLED OR LOCKED ....");

// The booking a note is posted against, as the note needs it.
struct AdviceBooking {
    qint64 number = 0;
    qint64 quotation = 0;
    qint64 itinerary = 0;
    QDate start;
    QDate end;
    QString status;     // DOC_STATUS of the booking
    bool open = false;  // live, and the lock of the kind is not 'Y'
};
// The booking's row, or number 0 when there is none. Throws DbError.
AdviceBooking readAdviceBooking(Database& db, AdviceKind kind, qint64 booking);

// Nights of a stay: check-out minus check-in (negative when check-out is before check-in).
inline int stayNights(const QDate& in, const QDate& out) {
    return int(in.daysTo(out));
}
// Days of a hire, both ends counted.
inline int hireDays(const QDate& start, const QDate& end) {
    return int(start.daysTo(end)) + 1;
}
// count x rate; nullopt beyond the largest amount.
inline std::optional<Money> times(qint64 count, Money rate) {
    return rate.times(count);
}

// Where a new vehicle note of the booking starts: the last end of its live vehicle notes, or
// the tour start when there is none.
QDate nextVehicleStart(Database& db, const AdviceBooking& booking);

// A note as shown: its row with the names of its party, party type, room type, meal plan,
// vehicle brand and other charge (SHOWN_PARTY, SHOWN_PARTYTYPE, SHOWN_ROOMTYPE, SHOWN_MEALPLAN,
// SHOWN_BRAND, SHOWN_CHARGE), each outer-joined so a note whose names are gone still shows.
// liveOnly: only a note that is not cancelled.
std::optional<QSqlRecord> readAdviceNote(Database& db, AdviceKind kind, qint64 number, bool liveOnly);

struct AdviceNoteToSave {
    AdviceKind kind = AdviceKind::Hotel;
    qint64 number = 0;  // 0: a new note
    qint64 booking = 0;
    Money total;
    QString remarks;  // the other-charge narration ends with them
    Columns columns;  // DOC_DATE, PARTY_CODE and the kind's own; amounts and narration are added
};

// In one transaction: refuses a booking that is no longer live or is locked for the kind
// (DbError Refused, kAdviceBookingShut), numbers a new note from its counter and inserts it,
// or rewrites a live note in place (a cancelled one is refused), then writes the narration
// with the number. Returns the number. Throws DbError; nothing stays and no number is used.
qint64 storeAdviceNote(Database& db, const QString& user, const AdviceNoteToSave& note);

// The narration of a note (cut to 2000 characters).
QString adviceDescription(AdviceKind kind, Money total, qint64 booking, qint64 number, const QString& remarks);

}  // namespace tarvic
