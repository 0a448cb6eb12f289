#pragma once
// What the operations tools of a booked tour write, apart from their windows: a hotel line's
// status and the booking's feedback. Every write runs in one transaction that re-reads the
// booking's state.
#include "data/Database.h"

namespace tarvic {

inline const QString kChooseHotelStatus = QStringLiteral("PLEASE SELECT HOTEL STATUS PROPERLY ....");
inline const QString kBookingCancelled = QStringLiteral("CANNOT PROCEED AS CBPT IS CANCELLED ....");

// Gives a booked hotel line and its day rows a status, with who and when, in one transaction.
// A line whose booking is no longer live, or that is gone, is refused (DbError Changed); an
// unknown status too (Refused, kChooseHotelStatus).
void setHotelLineStatus(Database& db, const QString& user, qint64 quotation, qint64 line, qint64 status);

// Writes the feedback (REMARKS) on a live booking's row; never adds a row. A cancelled booking
// is refused (Cancelled, kBookingCancelled); a missing one is Changed.
void saveFeedback(Database& db, const QString& user, qint64 booking, const QString& feedback);

}  // namespace tarvic
