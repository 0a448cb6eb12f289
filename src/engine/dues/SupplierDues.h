#pragma once
// What is owed to suppliers: each live advice note (hotel, vehicle, other charge) of a live
// booking is due on the date typed on it, or else its service date plus its supplier's credit
// period. The live payments to the supplier against the booking are applied to the supplier's
// notes of that booking oldest first (by due date, then code and number).
#include "data/Database.h"
#include "data/Money.h"

#include <QDate>

#include <optional>
#include <vector>

namespace tarvic {

// A supplier's periods in days: credit after the service, and for a hotel the option (hold)
// and free-cancellation periods before check-in. Empty: none.
struct SupplierTerms {
    std::optional<int> creditDays;
    std::optional<int> optionDays;
    std::optional<int> freeCancelDays;
};
// Writes the party's periods (refused for a negative one, or a party that is gone).
void setSupplierTerms(Database& db, const QString& user, qint64 party, const SupplierTerms& terms);

// Types the due date of a live advice note (ANCP01, ANCP02, ANCP03); an invalid date returns
// it to the supplier's credit period. Refused for a note that is not live.
void setAdviceDueDate(Database& db, const QString& user, const QString& code, qint64 number, const QDate& due);

struct NoteDue {
    QString code;
    qint64 number = 0;
    qint64 booking = 0;
    qint64 party = 0;
    QString partyName;
    int consultant = 0;  // the booking's lead's consultant
    QDate due;
    Money amount;
    Money paid;
    Money balance;
    int daysOverdue = 0;
};

// The notes of a booking's suppliers, with what is paid on each.
std::vector<NoteDue> supplierDues(Database& db, qint64 booking, const QDate& today);

// The notes due before `before` (with the notes before them in their supplier's order, which
// fall before it too), of every live booking or of one consultant's; for the board.
std::vector<NoteDue> supplierDuesBefore(Database& db, const QDate& before, std::optional<int> consultant,
                                        const QDate& today);

}  // namespace tarvic
