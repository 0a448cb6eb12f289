#include "Reminders.h"

#include "data/ColumnLengths.h"
#include "data/Moments.h"
#include "data/Numbering.h"

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

bool remindedOn(Database& db, const QString& docCode, qint64 docNo, int line, const QDate& day) {
    QVariantList values{docCode, docNo, line};
    const QString range = dayRangeCondition(QStringLiteral("SENT_ON"), day, day, values);
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_REMINDER_LOG WHERE DOC_CODE=? AND DOC_NO=? AND "
                                    "LINE_NO=? AND ") +
                         range,
                     values)
               .toInt() > 0;
}

}  // namespace tarvic
