#pragma once
// The log of reminders sent: of which document (a booking's instalment, a supplier's note, a
// hotel line), to whom, by whom and when, so that a reminder already sent today is known.
#include "data/Database.h"

#include <QDate>

namespace tarvic {

struct ReminderSent {
    QString docCode;
    qint64 docNo = 0;
    int line = 0;
    QString kind;  // CUSTOMER, SUPPLIER or HOTEL
    QString to;    // the address it went to
};

// Writes one reminder sent now by user; returns its number.
qint64 logReminder(Database& db, const QString& user, const ReminderSent& r);
// Whether a reminder of the document's line went out on the day (by the server's clock).
bool remindedOn(Database& db, const QString& docCode, qint64 docNo, int line, const QDate& day);

}  // namespace tarvic
