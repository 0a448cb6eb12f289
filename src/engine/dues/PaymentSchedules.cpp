#include "PaymentSchedules.h"

#include "OldestFirst.h"
#include "data/ColumnLengths.h"
#include "data/Moments.h"
#include "data/RowWriter.h"
#include "engine/DocumentState.h"

namespace tarvic {

namespace {

const QString kTable = QStringLiteral("M_TBL_BOOKING_INSTALMENT");

[[noreturn]] void refuse(const QString& message) {
    throw DbError(DbError::Kind::Refused, message);
}

struct BookingFigures {
    Money grandTotal;
    QDate booked;
    QDate travel;
};

// The booking's figures; refused unless it is live and its lock is open.
BookingFigures openBooking(Database& db, qint64 booking, bool forUpdate) {
    const auto row =
        db.firstRow(QStringLiteral("SELECT DOC_STATUS, COALESCE(LCK_CBPT,'N'), GRAND_TOTAL, DOC_DATE, "
                                   "START_DT FROM M_TBL_TRANSACTION WHERE DOC_CODE='CBPT01' AND DOC_NO=?") +
                        (forUpdate ? db.dialect().forUpdate() : QString()),
                    {booking});
    if (!row)
        throw DbError(DbError::Kind::Changed, QString::fromLatin1(kChangedByAnotherUser));
    if (row->value(0).toString().trimmed() != status::kLive || row->value(1).toString().trimmed() == QLatin1String("Y"))
        refuse(kScheduleBookingShut);
    return {Money::fromVariant(row->value(2)), dateFromDb(row->value(3)), dateFromDb(row->value(4))};
}

}  // namespace

QString scheduleTotalMessage(Money instalments, Money grandTotal) {
    return QStringLiteral("TOTAL OF INSTALMENTS ( %1 ) IS NOT EQUAL TO GRAND TOTAL ( %2 ) ....")
        .arg(instalments.toString(), grandTotal.toString());
}

QString receiptsOfBooking(const QString& bookingColumn) {
    return QStringLiteral(
               "(SELECT %1 FROM M_TBL_TRANSACTION r WHERE r.DOC_CODE='FRDB01' AND r.IN_DOCCODE='CBPT01' "
               "AND r.IN_DOCNO=%2 AND %3)")
        .arg(exactSum(QStringLiteral("r.DB_AMT")), bookingColumn, sql::live(QStringLiteral("r")));
}

std::vector<InstalmentDue> applyReceipts(std::vector<InstalmentDue> lines, Money receipts, const QDate& today) {
    std::vector<Money> amounts;
    for (const InstalmentDue& l : lines)
        amounts.push_back(l.amount);
    const std::vector<Money> applied = applyOldestFirst(amounts, receipts);
    for (size_t i = 0; i < lines.size(); ++i) {
        InstalmentDue& l = lines[i];
        l.received = applied[i];
        l.balance = l.amount - l.received;
        l.daysOverdue = l.balance > Money() && l.due < today ? int(l.due.daysTo(today)) : 0;
    }
    return lines;
}

void PaymentSchedules::store(qint64 booking, const std::vector<Instalment>& lines) {
    db_.transact([&] {
        const BookingFigures b = openBooking(db_, booking, true);
        std::vector<Money> amounts;
        for (const Instalment& l : lines) {
            if (l.amount <= Money() || !l.amount.withinLimit())
                refuse(QStringLiteral("ENTER THE AMOUNT OF EVERY INSTALMENT ...."));
            if (!l.due.isValid())
                refuse(QStringLiteral("ENTER THE DUE DATE OF EVERY INSTALMENT ...."));
            amounts.push_back(l.amount);
        }
        const std::optional<Money> total = Money::sum(amounts);
        if (!lines.empty() && (!total || *total != b.grandTotal))
            refuse(scheduleTotalMessage(total.value_or(Money::beyondLargest()), b.grandTotal));
        RowWriter writer(db_, user_);
        int no = 0;
        for (const Instalment& l : lines) {
            const Columns key{{QStringLiteral("CBPT_NO"), booking}, {QStringLiteral("LINE_NO"), ++no}};
            const Columns columns{{QStringLiteral("DUE_DT"), dateToDb(l.due)},
                                  {QStringLiteral("INST_AMT"), l.amount.toVariant()},
                                  {QStringLiteral("INST_NOTE"), l.note.trimmed()},
                                  {QStringLiteral("MADE_FOR"), b.grandTotal.toVariant()},
                                  {QStringLiteral("DOC_STATUS"), status::kLive}};
            // A line kept keeps who made it; a new one is added.
            const bool held =
                db_.scalar(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE CBPT_NO=? AND LINE_NO=?").arg(kTable),
                           {booking, no})
                    .toInt() == 1;
            writer.write(kTable, key, columns, !held);
        }
        db_.execAffected(QStringLiteral("DELETE FROM %1 WHERE CBPT_NO=? AND LINE_NO>?").arg(kTable), {booking, no});
    });
}

std::vector<Instalment> PaymentSchedules::fromTemplate(qint64 booking, const ScheduleTemplate& t) {
    const BookingFigures b = openBooking(db_, booking, false);
    return scheduleFrom(t, b.grandTotal, b.booked, b.travel);
}

BookingSchedule PaymentSchedules::read(qint64 booking, const QDate& today) {
    BookingSchedule s;
    s.booking = booking;
    const auto head = db_.firstRow(QStringLiteral("SELECT b.GRAND_TOTAL, %1 AS R_RECEIVED FROM M_TBL_TRANSACTION b "
                                                  "WHERE b.DOC_CODE='CBPT01' AND b.DOC_NO=?")
                                       .arg(receiptsOfBooking(QStringLiteral("b.DOC_NO"))),
                                   {booking});
    if (!head)
        return s;
    s.grandTotal = Money::fromVariant(head->value(0));
    s.receipts = Money::fromVariant(head->value(1));
    std::vector<InstalmentDue> lines;
    QSqlQuery q = db_.exec(QStringLiteral("SELECT LINE_NO, DUE_DT, INST_AMT, INST_NOTE FROM %1 WHERE CBPT_NO=? AND %2 "
                                          "ORDER BY DUE_DT, LINE_NO")
                               .arg(kTable, sql::live()),
                           {booking});
    while (q.next()) {
        InstalmentDue l;
        l.line = q.value(0).toInt();
        l.due = dateFromDb(q.value(1));
        l.amount = Money::fromVariant(q.value(2));
        l.note = q.value(3).toString().trimmed();
        s.scheduled += l.amount;
        lines.push_back(l);
    }
    s.lines = applyReceipts(std::move(lines), s.receipts, today);
    return s;
}

void PaymentSchedules::cancelWithBooking(Database& db, const QString& user, qint64 booking) {
    db.execAffected(QStringLiteral("UPDATE %1 SET DOC_STATUS=?, UPDATE_BY=?, UPDATE_ON=%2 WHERE CBPT_NO=? AND %3")
                        .arg(kTable, db.dialect().now(), sql::notCancelled()),
                    {status::kCancelled, user, booking});
}

}  // namespace tarvic
