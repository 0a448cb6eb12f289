#include "ScheduleTemplates.h"

#include "data/ColumnLengths.h"
#include "data/Numbering.h"
#include "data/RowWriter.h"

namespace tarvic {

namespace {

const QString kTable = QStringLiteral("M_TBL_SCHEDULE_TEMPLATE");
const QString kLines = QStringLiteral("M_TBL_SCHEDULE_TEMPLATE_LINE");
const Money kWhole = Money::fromRupees(100);

[[noreturn]] void refuse(const QString& message) {
    throw DbError(DbError::Kind::Refused, message);
}

QString shareCode(TemplateLine::Share s) {
    return s == TemplateLine::Share::Percent ? QStringLiteral("P") : QStringLiteral("A");
}
QString dueCode(TemplateLine::Due d) {
    switch (d) {
        case TemplateLine::Due::OnBooking:
            return QStringLiteral("B");
        case TemplateLine::Due::BeforeTravel:
            return QStringLiteral("T");
        case TemplateLine::Due::AfterBooking:
            return QStringLiteral("A");
    }
    return {};
}
TemplateLine::Due dueOf(const QString& code) {
    if (code == QLatin1String("T"))
        return TemplateLine::Due::BeforeTravel;
    if (code == QLatin1String("A"))
        return TemplateLine::Due::AfterBooking;
    return TemplateLine::Due::OnBooking;
}

void readLines(Database& db, ScheduleTemplate& t) {
    QSqlQuery q = db.exec(QStringLiteral("SELECT SHARE_KIND, SHARE_VALUE, DUE_RULE, DUE_DAYS, LINE_NOTE FROM %1 "
                                         "WHERE TEMPLATE_CODE=? ORDER BY LINE_NO")
                              .arg(kLines),
                          {t.code});
    while (q.next())
        t.lines.push_back({q.value(0).toString().trimmed() == QLatin1String("A") ? TemplateLine::Share::Amount
                                                                                 : TemplateLine::Share::Percent,
                           Money::fromVariant(q.value(1)), dueOf(q.value(2).toString().trimmed()), q.value(3).toInt(),
                           q.value(4).toString().trimmed()});
}

}  // namespace

QString templateFault(const ScheduleTemplate& t) {
    Money percentages;
    bool beyondWhole = false;
    for (const TemplateLine& l : t.lines) {
        if (l.share == TemplateLine::Share::Percent)
            percentages += l.value;
        beyondWhole = beyondWhole || percentages > kWhole;
    }
    // The first fault among the lines, line by line.
    const QString lineFault = [&] {
        for (const TemplateLine& l : t.lines) {
            if (l.value <= Money() || !l.value.withinLimit())
                return QStringLiteral("ENTER THE SHARE OF EVERY INSTALMENT ....");
            if (l.share == TemplateLine::Share::Percent && l.value > kWhole)
                return QStringLiteral("A PERCENTAGE CANNOT EXCEED 100 ....");
            if (l.days < 0 || (l.due == TemplateLine::Due::OnBooking && l.days != 0))
                return QStringLiteral("ENTER VALID DAYS FOR EVERY INSTALMENT ....");
        }
        return QString();
    }();
    // In the master's order: name, lines, each line, the shares together.
    const std::pair<bool, QString> checks[] = {
        {t.name.trimmed().isEmpty(), QStringLiteral("ENTER TEMPLATE NAME ....")},
        {t.lines.empty(), QStringLiteral("ENTER AT LEAST ONE INSTALMENT ....")},
        {!lineFault.isEmpty(), lineFault},
        {beyondWhole, QStringLiteral("THE PERCENTAGES CANNOT EXCEED 100 ....")},
    };
    for (const auto& [failed, message] : checks)
        if (failed)
            return message;
    return {};
}

std::vector<Instalment> scheduleFrom(const ScheduleTemplate& t, Money grandTotal, const QDate& booked,
                                     const QDate& travel) {
    if (const QString fault = templateFault(t); !fault.isEmpty())
        refuse(fault);
    std::vector<Instalment> out;
    Money rest = grandTotal;
    for (size_t i = 0; i < t.lines.size(); ++i) {
        const TemplateLine& l = t.lines[i];
        QDate due = booked;
        if (l.due == TemplateLine::Due::BeforeTravel)
            due = travel.addDays(-l.days);
        else if (l.due == TemplateLine::Due::AfterBooking)
            due = booked.addDays(l.days);
        due = std::max(due, booked);
        const bool last = i + 1 == t.lines.size();
        std::optional<Money> amount = rest;
        if (!last)
            amount = l.share == TemplateLine::Share::Percent ? grandTotal.percent(l.value) : l.value;
        if (!amount)
            refuse(exceedsLimitMessage(QStringLiteral("INSTALMENT")));
        // Every line, the last one included, must be left something to take.
        if (*amount <= Money() || *amount > rest || (!last && *amount == rest))
            refuse(kScheduleExceedsTotal);
        rest -= *amount;
        out.push_back({due, *amount, l.note});
    }
    return out;
}

int ScheduleTemplates::save(const ScheduleTemplate& t) {
    if (const QString fault = templateFault(t); !fault.isEmpty())
        refuse(fault);
    return db_.transact([&] {
        const QString name = t.name.trimmed().toUpper();
        if (db_.scalar(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE TEMPLATE_NAME=? AND TEMPLATE_CODE<>?").arg(kTable),
                       {name, t.code})
                .toInt() > 0)
            refuse(kTemplateNameTaken);
        RowWriter writer(db_, user_);
        int code = t.code;
        if (code == 0) {
            code = int(Numbering(db_).next(QStringLiteral("SCHTMPL")));
            writer.insert(kTable, {{QStringLiteral("TEMPLATE_CODE"), code}}, {{QStringLiteral("TEMPLATE_NAME"), name}});
        } else {
            writer.update(kTable, {{QStringLiteral("TEMPLATE_CODE"), code}}, {{QStringLiteral("TEMPLATE_NAME"), name}});
        }
        // The lines are the template's alone: replaced whole.
        db_.execAffected(QStringLiteral("DELETE FROM %1 WHERE TEMPLATE_CODE=?").arg(kLines), {code});
        int no = 0;
        for (const TemplateLine& l : t.lines)
            writer.insert(kLines, {{QStringLiteral("TEMPLATE_CODE"), code}, {QStringLiteral("LINE_NO"), ++no}},
                          {{QStringLiteral("SHARE_KIND"), shareCode(l.share)},
                           {QStringLiteral("SHARE_VALUE"), l.value.toVariant()},
                           {QStringLiteral("DUE_RULE"), dueCode(l.due)},
                           {QStringLiteral("DUE_DAYS"), l.days},
                           {QStringLiteral("LINE_NOTE"), l.note.trimmed()}},
                          RowWriter::Audit::None);
        return code;
    });
}

std::optional<ScheduleTemplate> ScheduleTemplates::read(int code) {
    const QVariant name =
        db_.scalar(QStringLiteral("SELECT TEMPLATE_NAME FROM %1 WHERE TEMPLATE_CODE=?").arg(kTable), {code});
    if (name.isNull())
        return std::nullopt;
    ScheduleTemplate t{code, name.toString().trimmed(), {}};
    readLines(db_, t);
    return t;
}

std::vector<ScheduleTemplate> ScheduleTemplates::all() {
    std::vector<ScheduleTemplate> out;
    QSqlQuery q =
        db_.exec(QStringLiteral("SELECT TEMPLATE_CODE, TEMPLATE_NAME FROM %1 ORDER BY TEMPLATE_NAME").arg(kTable));
    while (q.next())
        out.push_back({q.value(0).toInt(), q.value(1).toString().trimmed(), {}});
    q.finish();
    for (ScheduleTemplate& t : out)
        readLines(db_, t);
    return out;
}

void ScheduleTemplates::remove(int code) {
    db_.transact([&] {
        db_.execAffected(QStringLiteral("DELETE FROM %1 WHERE TEMPLATE_CODE=?").arg(kLines), {code});
        if (db_.execAffected(QStringLiteral("DELETE FROM %1 WHERE TEMPLATE_CODE=?").arg(kTable), {code}) != 1)
            throw DbError(DbError::Kind::Changed, QString::fromLatin1(kChangedByAnotherUser));
    });
}

}  // namespace tarvic
