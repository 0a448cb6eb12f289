#pragma once
// Reminders by mail of what the board shows due: a customer's instalment, a supplier's note, a
// hotel's deadline. Each kind has a template the administrator edits; a reminder is composed
// from it with the board row's values (escaped) and sent to the party's address of the party
// master. The log of reminders sent says of which document (a booking's instalment, a
// supplier's note, a hotel line), to whom, by whom and when, so that a reminder already sent
// today is known; the booking's operations log gets a line for each as well.
#include "data/Database.h"
#include "engine/dues/DueBoard.h"

#include <QDate>
#include <QSet>

#include <optional>

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
// Whether a reminder of the kind for the document's line went out on the day (by the server's
// clock). An instalment and a hotel line of one booking share its code and number, so the kind
// tells them apart.
bool remindedOn(Database& db, const QString& kind, const QString& docCode, qint64 docNo, int line, const QDate& day);

// The reminders that went out on the day, one key each (reminderKey), for marking a board in
// one query; the key of a board row is reminderKey(reminderKind(section), code, number, line).
QString reminderKey(const QString& kind, const QString& docCode, qint64 docNo, int line);
QSet<QString> remindersSentOn(Database& db, const QDate& day);

// The kind of reminder a board section sends (CUSTOMER, SUPPLIER, HOTEL); empty for the
// sections no reminder is sent for.
QString reminderKind(DueSection section);

struct ReminderTemplate {
    QString kind;
    QString subject;
    QString body;  // HTML; a line break typed in it counts as one
};
inline const QStringList kReminderKinds{QStringLiteral("CUSTOMER"), QStringLiteral("SUPPLIER"),
                                        QStringLiteral("HOTEL")};
inline const QStringList kReminderPlaceholders{
    QStringLiteral("{PARTY}"),   QStringLiteral("{BOOKING}"),   QStringLiteral("{DOCUMENT}"),
    QStringLiteral("{DETAIL}"),  QStringLiteral("{DUE_DATE}"),  QStringLiteral("{AMOUNT}"),
    QStringLiteral("{BALANCE}"), QStringLiteral("{TOUR_DATE}"), QStringLiteral("{COMPANY}")};

// The kind's template; nullopt when it has none.
std::optional<ReminderTemplate> reminderTemplate(Database& db, const QString& kind);
// Writes the kind's subject and body (refused when either is blank or the kind is unknown).
void saveReminderTemplate(Database& db, const QString& user, const ReminderTemplate& t);

// One reminder ready to go: the row it reminds of, its recipient and the message's texts.
struct Reminder {
    DueRow row;
    QString kind;
    QString partyName;
    QString to;  // the party's address(es) as the party master holds them; empty: none
    QString subject;
    QString html;
};

// Composes the reminder of a board row of a section that sends one, from its kind's template:
// the party (customer of the booking, supplier of the note, hotel of the line) and its address
// read from the party master, the placeholders filled with the row's values, HTML-escaped in the
// body. Refused for a row of another section or a kind without a template.
Reminder composeReminder(Database& db, const DueRow& row, const QString& company);

// Records a reminder sent now by user, in one transaction: the reminders' log and a line in
// its booking's operations log (who, when, to whom); the oldest lines of that log give way
// when it is full. Refused when the booking is gone or cancelled.
void recordReminder(Database& db, const QString& user, const Reminder& r);
// The operations log line of a reminder sent at the moment.
QString reminderLogLine(const Reminder& r, const QString& user, const QDateTime& at);

}  // namespace tarvic
