#include "Cancellations.h"

#include "data/ColumnLengths.h"
#include "data/TransactionRecords.h"
#include "engine/DocumentState.h"
#include "engine/bookings/Bookings.h"
#include "engine/dues/PaymentSchedules.h"

namespace tarvic {

namespace {

const QString kBooking = QString::fromLatin1(kBookingCode);

// The single-window notes: each half names its partner by IN_DOCCODE/IN_DOCNO.
bool takesPartner(const QString& code) {
    return code == QLatin1String("ANCP08") || code == QLatin1String("ANDP08");
}

}  // namespace

std::vector<PostedDocument> Cancellations::livePostedAgainst(qint64 booking) {
    std::vector<PostedDocument> posted;
    QSqlQuery q = db_.exec(QStringLiteral("SELECT DOC_CODE, DOC_NO, GRAND_TOTAL FROM M_TBL_TRANSACTION WHERE ") +
                               sql::livePostedAgainstBooking() + QStringLiteral(" ORDER BY DOC_CODE, DOC_NO"),
                           {booking});
    while (q.next())
        posted.push_back({q.value(0).toString().trimmed(), q.value(1).toLongLong(), Money::fromVariant(q.value(2))});
    q.finish();
    return posted;
}

QString Cancellations::refusal(const QString& code, qint64 number) {
    if (code != kBooking)
        return {};
    // The booking row is held first, so a posting either committed before (and is counted)
    // or waits and then finds the booking cancelled.
    db_.firstRow(QStringLiteral("SELECT DOC_STATUS FROM M_TBL_TRANSACTION WHERE DOC_CODE=? AND DOC_NO=?") +
                     db_.dialect().forUpdate(),
                 {kBooking, number});
    const qint64 live =
        db_.scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_TRANSACTION WHERE ") + sql::livePostedAgainstBooking(),
                   {number})
            .toLongLong();
    return live > 0 ? kLiveDependants : QString();
}

void Cancellations::afterCancel(const QString& code, qint64 number) {
    if (takesPartner(code)) {
        // The partner carries the note's own who, when and why.
        db_.execAffected(
            QStringLiteral(
                "UPDATE M_TBL_TRANSACTION SET DOC_STATUS=?, CNCL_BY=?, "
                "CNCL_ON=(SELECT MAX(s.CNCL_ON) FROM M_TBL_TRANSACTION s WHERE s.DOC_CODE=? AND s.DOC_NO=?), "
                "REASON_CNCL=(SELECT MAX(s.REASON_CNCL) FROM M_TBL_TRANSACTION s WHERE s.DOC_CODE=? AND "
                "s.DOC_NO=?) WHERE IN_DOCCODE=? AND IN_DOCNO=? AND ") +
                sql::notCancelled(),
            {status::kCancelled, user_, code, number, code, number, code, number});
        return;
    }
    if (code != kBooking)
        return;
    PaymentSchedules::cancelWithBooking(db_, user_, number);
    const QVariant status = leadStatusOfBooking(db_);
    const QVariant lead = db_.scalar(
        QStringLiteral("SELECT LEAD_NO FROM M_TBL_TRANSACTION WHERE DOC_CODE=? AND DOC_NO=?"), {kBooking, number});
    if (status.isNull() || lead.isNull())
        return;
    if (db_.execAffected(QStringLiteral("UPDATE M_TBL_TRANSACTION SET LEADSTATUS_CODE=? WHERE DOC_CODE='BLFC01' "
                                        "AND DOC_NO=? AND ") +
                             sql::notCancelled(),
                         {status, lead}) != 1)
        throw DbError(DbError::Kind::Changed, QString::fromLatin1(kChangedByAnotherUser));
}

void Cancellations::cancel(const QString& code, qint64 number, const QList<qint64>& bookings, const QString& reason) {
    db_.transact([&] {
        if (const QString refused = refusal(code, number); !refused.isEmpty())
            throw DbError(DbError::Kind::Refused, refused);
        checkTextLengths(db_, QStringLiteral("M_TBL_TRANSACTION"), {{QStringLiteral("REASON_CNCL"), reason}});
        // Nothing live under the number: another workstation cancelled it meanwhile.
        if (TransactionRecords(db_, user_).cancel(code, number, bookings, reason) == 0)
            throw DbError(DbError::Kind::Refused, kAlreadyCancelled);
        afterCancel(code, number);
    });
}

}  // namespace tarvic
