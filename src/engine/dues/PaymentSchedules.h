#pragma once
// A booking's payment schedule: its instalments stored whole, and read back with the booking's
// receipts applied to them oldest first. Applications are computed each time from the live
// receipts against the booking, never stored: a receipt cancelled afterwards simply stops
// counting. A booking re-priced after its schedule was made shows the difference; the
// schedule is never altered behind the user's back.
#include "ScheduleTemplates.h"

namespace tarvic {

inline const QString kScheduleBookingShut = QStringLiteral("CANNOT PROCEED, CBPT IS CANCELLED OR LOCKED ....");

// "TOTAL OF INSTALMENTS ( x ) IS NOT EQUAL TO GRAND TOTAL ( y ) ...."
QString scheduleTotalMessage(Money instalments, Money grandTotal);

// One instalment as it stands.
struct InstalmentDue {
    int line = 0;
    QDate due;
    Money amount;
    Money received;  // applied to it, oldest first
    Money balance;
    int daysOverdue = 0;  // days past its due date while a balance is left; 0 otherwise
    QString note;
};

struct BookingSchedule {
    qint64 booking = 0;
    Money grandTotal;
    Money scheduled;  // the instalments' sum
    Money receipts;   // live receipts against the booking
    std::vector<InstalmentDue> lines;
    // Re-priced since the schedule was made: the two differ and the user must decide.
    bool mismatch() const { return !lines.empty() && scheduled != grandTotal; }
};

// The applications of a schedule's lines (ordered oldest first) as of today.
std::vector<InstalmentDue> applyReceipts(std::vector<InstalmentDue> lines, Money receipts, const QDate& today);

// "a.CBPT_NO" ... the receipts against booking column, as one exact sum (a scalar subquery).
QString receiptsOfBooking(const QString& bookingColumn);

class PaymentSchedules {
public:
    PaymentSchedules(Database& db, QString userFullName) : db_(db), user_(std::move(userFullName)) {}

    // Stores the booking's instalments whole, numbered 1, 2, ... in the order given (lines
    // beyond them removed), in one transaction that re-reads the booking: still live and not
    // locked (kScheduleBookingShut), each amount above zero with a due date, and the sum equal
    // to its grand total (scheduleTotalMessage). An empty list removes the schedule.
    void store(qint64 booking, const std::vector<Instalment>& lines);
    // The booking's schedule from a template, from its grand total, booking and travel dates.
    std::vector<Instalment> fromTemplate(qint64 booking, const ScheduleTemplate& t);
    BookingSchedule read(qint64 booking, const QDate& today);
    // Within a booking's cancellation: its instalments are cancelled with it.
    static void cancelWithBooking(Database& db, const QString& user, qint64 booking);

private:
    Database& db_;
    QString user_;
};

}  // namespace tarvic
