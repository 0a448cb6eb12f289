#include "Reminders.h"

#include "data/ColumnLengths.h"
#include "data/DocumentStatus.h"
#include "data/Moments.h"
#include "data/Numbering.h"

#include <QSqlRecord>

namespace tarvic {

qint64 logReminder(Database& db, const QString& user, const ReminderSent& r) {
    const Columns columns{{QStringLiteral("DOC_CODE"), r.docCode},     {QStringLiteral("DOC_NO"), r.docNo},
                          {QStringLiteral("LINE_NO"), r.line},         {QStringLiteral("REMINDER_KIND"), r.kind},
                          {QStringLiteral("SENT_TO"), r.to.trimmed()}, {QStringLiteral("SENT_BY"), user}};
    return db.transact([&] {
        checkTextLengths(db, QStringLiteral("M_TBL_REMINDER_LOG"), columns);
        const qint64 id = Numbering(db).next(QStringLiteral("REMINDER"));
        QVariantList values{id};
        for (const auto& c : columns)
            values << c.second;
        db.execAffected(QStringLiteral("INSERT INTO M_TBL_REMINDER_LOG (REMINDER_ID, DOC_CODE, DOC_NO, LINE_NO, "
                                       "REMINDER_KIND, SENT_TO, SENT_BY, SENT_ON) VALUES (?, ?, ?, ?, ?, ?, ?, %1)")
                            .arg(db.dialect().now()),
                        values);
        return id;
    });
}

bool remindedOn(Database& db, const QString& kind, const QString& docCode, qint64 docNo, int line, const QDate& day) {
    QVariantList values{kind, docCode, docNo, line};
    const QString range = dayRangeCondition(QStringLiteral("SENT_ON"), day, day, values);
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_REMINDER_LOG WHERE REMINDER_KIND=? AND DOC_CODE=? "
                                    "AND DOC_NO=? AND LINE_NO=? AND ") +
                         range,
                     values)
               .toInt() > 0;
}

QString reminderKey(const QString& kind, const QString& docCode, qint64 docNo, int line) {
    return QStringLiteral("%1/%2/%3/%4").arg(kind, docCode).arg(docNo).arg(line);
}

QSet<QString> remindersSentOn(Database& db, const QDate& day) {
    QVariantList values;
    const QString range = dayRangeCondition(QStringLiteral("SENT_ON"), day, day, values);
    QSqlQuery q = db.exec(
        QStringLiteral("SELECT DISTINCT REMINDER_KIND, DOC_CODE, DOC_NO, LINE_NO FROM M_TBL_REMINDER_LOG WHERE ") +
            range,
        values);
    QSet<QString> sent;
    while (q.next())
        sent.insert(reminderKey(q.value(0).toString().trimmed(), q.value(1).toString().trimmed(),
                                q.value(2).toLongLong(), q.value(3).toInt()));
    return sent;
}

QString reminderKind(DueSection section) {
    switch (section) {
        case DueSection::Instalment:
            return kReminderKinds[0];
        case DueSection::SupplierDue:
            return kReminderKinds[1];
        case DueSection::HotelDeadline:
            return kReminderKinds[2];
        default:
            return {};
    }
}

std::optional<ReminderTemplate> reminderTemplate(Database& db, const QString& kind) {
    const auto row = db.firstRow(
        QStringLiteral("SELECT MAIL_SUBJECT, MAIL_BODY FROM M_TBL_REMINDER_TEMPLATE WHERE REMINDER_KIND=?"), {kind});
    if (!row)
        return std::nullopt;
    return ReminderTemplate{kind, row->value(0).toString().trimmed(), row->value(1).toString().trimmed()};
}

void saveReminderTemplate(Database& db, const QString& user, const ReminderTemplate& t) {
    if (!kReminderKinds.contains(t.kind))
        throw DbError(DbError::Kind::Refused, QStringLiteral("SELECT REMINDER KIND ...."));
    if (t.subject.trimmed().isEmpty())
        throw DbError(DbError::Kind::Refused, QStringLiteral("ENTER SUBJECT ...."));
    if (t.body.trimmed().isEmpty())
        throw DbError(DbError::Kind::Refused, QStringLiteral("ENTER MESSAGE ...."));
    const Columns columns{{QStringLiteral("MAIL_SUBJECT"), t.subject.trimmed()},
                          {QStringLiteral("MAIL_BODY"), t.body.trimmed()}};
    db.transact([&] {
        checkTextLengths(db, QStringLiteral("M_TBL_REMINDER_TEMPLATE"), columns);
        const QVariantList values{columns[0].second, columns[1].second, user, t.kind};
        if (db.execAffected(QStringLiteral("UPDATE M_TBL_REMINDER_TEMPLATE SET MAIL_SUBJECT=?, MAIL_BODY=?, "
                                           "UPDATE_BY=?, UPDATE_ON=%1 WHERE REMINDER_KIND=?")
                                .arg(db.dialect().now()),
                            values) == 0)
            db.execAffected(QStringLiteral("INSERT INTO M_TBL_REMINDER_TEMPLATE (MAIL_SUBJECT, MAIL_BODY, UPDATE_BY, "
                                           "REMINDER_KIND, UPDATE_ON) VALUES (?, ?, ?, ?, %1)")
                                .arg(db.dialect().now()),
                            values);
    });
}

namespace {

// The party reminded of a row, its address and the booking's tour date: the booking's customer,
// the note's supplier, the hotel of the booked quotation's line.
std::optional<QSqlRecord> reminderParty(Database& db, const QString& kind, const DueRow& row) {
    const QString booking = QStringLiteral("LEFT JOIN M_TBL_TRANSACTION b ON b.DOC_CODE='CBPT01' AND b.DOC_NO=? ");
    if (kind == kReminderKinds[0])
        return db.firstRow(QStringLiteral("SELECT p.PARTY_NAME, p.EMAIL_ADD, b.START_DT FROM M_TBL_TRANSACTION b "
                                          "LEFT JOIN M_TBL_PARTY p ON p.PARTY_CODE=b.PARTY_CODE "
                                          "WHERE b.DOC_CODE='CBPT01' AND b.DOC_NO=?"),
                           {row.booking});
    if (kind == kReminderKinds[1])
        return db.firstRow(QStringLiteral("SELECT p.PARTY_NAME, p.EMAIL_ADD, b.START_DT FROM M_TBL_TRANSACTION n ") +
                               booking +
                               QStringLiteral("LEFT JOIN M_TBL_PARTY p ON p.PARTY_CODE=n.PARTY_CODE "
                                              "WHERE n.DOC_CODE=? AND n.DOC_NO=? AND n.PARTY_CODE IS NOT NULL AND ") +
                               sql::live(QStringLiteral("n")),
                           {row.booking, row.docCode, row.docNo});
    return db.firstRow(QStringLiteral("SELECT p.PARTY_NAME, p.EMAIL_ADD, b.START_DT FROM M_TBL_QUOTATION a "
                                      "JOIN M_TBL_QUOTATION e ON e.DOC_CODE='QGBL01' AND e.DOC_NO=a.DOC_NO ") +
                           booking +
                           QStringLiteral("LEFT JOIN M_TBL_PARTY p ON p.PARTY_CODE=a.HOTEL_CODE "
                                          "WHERE a.DOC_CODE='QGBL02' AND e.CBPT_NO=? AND a.ACC_CODE=?"),
                       {row.booking, row.booking, row.line});
}

QString fill(QString text, const QList<std::pair<QString, QString>>& values, bool html) {
    for (const auto& [key, value] : values)
        text.replace(key, html ? value.toHtmlEscaped() : value);
    return text;
}

}  // namespace

Reminder composeReminder(Database& db, const DueRow& row, const QString& company) {
    Reminder r;
    r.row = row;
    r.kind = reminderKind(row.section);
    if (r.kind.isEmpty())
        throw DbError(DbError::Kind::Refused, QStringLiteral("NO REMINDER IS SENT FOR THIS ROW ...."));
    const auto t = reminderTemplate(db, r.kind);
    if (!t)
        throw DbError(DbError::Kind::Refused,
                      QStringLiteral("REMINDER TEMPLATE NOT FOUND FOR %1 ..., PLEASE ENTER IT ....").arg(r.kind));
    QDate tour;
    if (const auto party = reminderParty(db, r.kind, row)) {
        r.partyName = party->value(0).toString().trimmed();
        r.to = party->value(1).toString().trimmed();
        tour = dateFromDb(party->value(2));
    }
    if (r.partyName.isEmpty())
        r.partyName = row.party;
    const auto date = [](const QDate& d) { return d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy")) : QString(); };
    const QString document = QStringLiteral("%1 %2").arg(row.docCode).arg(row.docNo) +
                             (row.line ? QStringLiteral("/%1").arg(row.line) : QString());
    const QList<std::pair<QString, QString>> values{{QStringLiteral("{PARTY}"), r.partyName},
                                                    {QStringLiteral("{BOOKING}"), QString::number(row.booking)},
                                                    {QStringLiteral("{DOCUMENT}"), document},
                                                    {QStringLiteral("{DETAIL}"), row.detail},
                                                    {QStringLiteral("{DUE_DATE}"), date(row.date)},
                                                    {QStringLiteral("{AMOUNT}"), row.amount.toString()},
                                                    {QStringLiteral("{BALANCE}"), row.balance.toString()},
                                                    {QStringLiteral("{TOUR_DATE}"), date(tour)},
                                                    {QStringLiteral("{COMPANY}"), company.trimmed()}};
    r.subject = fill(t->subject, values, false);
    QString body = fill(t->body, values, true);
    // A <br> ending a typed line is that line's one break.
    body.replace(QLatin1String("\r\n"), QLatin1String("\n"))
        .replace(QLatin1String("<br>\n"), QLatin1String("<br>"))
        .replace(QLatin1Char('\n'), QLatin1String("<br>"));
    r.html =
        QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body>") + body + QStringLiteral("</body></html>");
    return r;
}

QString reminderLogLine(const Reminder& r, const QString& user, const QDateTime& at) {
    return QStringLiteral("%1 %2 REMINDER %3 SENT BY %4 TO %5 ( %6 )")
        .arg(at.toString(QStringLiteral("dd/MM/yyyy hh:mm")), r.kind, r.row.detail, user.trimmed(), r.partyName, r.to);
}

void recordReminder(Database& db, const QString& user, const Reminder& r) {
    db.transact([&] {
        logReminder(db, user, {r.row.docCode, r.row.docNo, r.row.line, r.kind, r.to});
        const QDateTime now = momentFromDb(db.scalar(QStringLiteral("SELECT ") + db.dialect().now()));
        const auto booking = db.firstRow(QStringLiteral("SELECT CONSUTLTANT_RESPONSETXT FROM M_TBL_TRANSACTION "
                                                        "WHERE DOC_CODE='CBPT01' AND DOC_NO=? AND ") +
                                             sql::notCancelled(),
                                         {r.row.booking});
        if (!booking)
            throw DbError(DbError::Kind::Cancelled,
                          QStringLiteral("BOOKING %1 IS CANCELLED OR NOT FOUND ....").arg(r.row.booking));
        // The newest line last; the oldest give way when the log is full.
        QStringList lines = booking->value(0).toString().split(QLatin1Char('\n'));
        while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
            lines.removeLast();
        lines << reminderLogLine(r, user, now);
        const int limit =
            db.columnLengths(QStringLiteral("M_TBL_TRANSACTION"))
                .textLength(QStringLiteral("M_TBL_TRANSACTION"), QStringLiteral("CONSUTLTANT_RESPONSETXT"));
        while (limit > 0 && lines.size() > 1 && characterCount(lines.join(QLatin1Char('\n'))) > limit)
            lines.removeFirst();
        const QString log = limit > 0 ? lines.join(QLatin1Char('\n')).left(limit) : lines.join(QLatin1Char('\n'));
        if (db.execAffected(QStringLiteral("UPDATE M_TBL_TRANSACTION SET CONSUTLTANT_RESPONSETXT=? "
                                           "WHERE DOC_CODE='CBPT01' AND DOC_NO=? AND ") +
                                sql::notCancelled(),
                            {log, r.row.booking}) != 1)
            throw DbError(DbError::Kind::Changed, QString::fromLatin1(kChangedByAnotherUser));
    });
}

}  // namespace tarvic
