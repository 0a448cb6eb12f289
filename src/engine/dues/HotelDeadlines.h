#pragma once
// The option (hold) date and free-cancellation deadline of each hotel line of a booked
// quotation: typed on the line, or else its check-in less the hotel's periods.
#include "data/Database.h"

#include <QDate>

#include <optional>
#include <vector>

namespace tarvic {

// Types a hotel line's dates; an invalid date returns that one to the hotel's period. Only a
// line of a quotation with a live booking (as the hotel status is).
void setHotelDeadlines(Database& db, const QString& user, qint64 quotation, qint64 line, const QDate& option,
                       const QDate& freeCancel);

struct HotelDeadline {
    qint64 quotation = 0;
    qint64 line = 0;
    qint64 booking = 0;
    int consultant = 0;
    QString hotel;
    QDate checkIn;
    QDate option;      // invalid: none
    QDate freeCancel;  // invalid: none
};

// The hotel lines of a booking.
std::vector<HotelDeadline> hotelDeadlines(Database& db, qint64 booking);
// The lines of live bookings checking in from `from` on that have a deadline (typed, or a
// hotel period), of everyone or one consultant; for the board, which keeps those in its days.
std::vector<HotelDeadline> hotelDeadlinesFrom(Database& db, const QDate& from, std::optional<int> consultant);

}  // namespace tarvic
