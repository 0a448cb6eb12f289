#include "BookingOperations.h"

#include "data/ColumnLengths.h"
#include "engine/DocumentState.h"

namespace tarvic {

namespace {

const QString kBooking = QStringLiteral("CBPT01");

[[noreturn]] void changed() {
    throw DbError(DbError::Kind::Changed, QString::fromLatin1(kChangedByAnotherUser));
}

void exactlyOne(int rows) {
    if (rows != 1)
        changed();
}

// A lead or quotation row the booking names but that is not there is said by name: it was not
// changed by another user, it is simply missing, and nothing is written.
void requirePresent(Database& db, const QString& countSql, const QVariant& number, const QString& what,
                    qint64 booking) {
    if (!number.isNull() && db.scalar(countSql, {number}).toLongLong() == 1)
        return;
    throw DbError(DbError::Kind::Refused,
                  number.isNull()
                      ? QStringLiteral("CANNOT PROCEED AS CBPT NO : %1 HAS NO %2 ....").arg(booking).arg(what)
                      : QStringLiteral("CANNOT PROCEED AS %1 : %2 OF CBPT NO : %3 IS NOT FOUND ....")
                            .arg(what)
                            .arg(number.toLongLong())
                            .arg(booking));
}

QString flag(const QVariant& v) {
    return v.toString().trimmed() == QLatin1String("Y") ? QStringLiteral("Y") : QStringLiteral("N");
}

}  // namespace

const QStringList& BookingOperations::lockColumns() {
    static const QStringList columns{QStringLiteral("LCK_LEAD"),      QStringLiteral("LCK_QUOT"),
                                     QStringLiteral("LCK_MONEYRCPT"), QStringLiteral("LCK_ANCP01"),
                                     QStringLiteral("LCK_ANCP02"),    QStringLiteral("LCK_ANCP03"),
                                     QStringLiteral("LCK_PAYMENT"),   QStringLiteral("LCK_CBPT")};
    return columns;
}

QString BookingOperations::cancelledText(qint64 booking) {
    return QStringLiteral(" CBPT NO : %1 IS CANCELLED, UNABLE TO PROCEED ....").arg(booking);
}

std::optional<QSqlRecord> BookingOperations::booking(qint64 number) {
    return db_.firstRow(
        QStringLiteral(
            "SELECT a.DOC_NO, a.DOC_DATE, a.DOC_STATUS, a.PARTY_CODE, a.LEAD_NO, a.QUOTATION_NO, a.TOURIST_NAME, "
            "a.START_DT, a.END_DT, a.GRAND_TOTAL, a.CBPTSTATUS_CODE, a.CBPT_STATUS_UPDBY, a.CBPT_STATUS_UPDON, "
            "a.CONSLT_OPS, a.CBPTSTATUS_CODE_O, a.CONSUTLTANT_RESPONSETXT, a.CBPT_STATUS_O_UPDBY, "
            "a.CBPT_STATUS_O_UPDON, b.PARTY_NAME AS BILL_PARTY, c.CBPT_STATUS, l.DOC_DATE AS LEAD_DATE, "
            "k.CONSULTANT_NAME, q.DOC_DATE AS QUOT_DATE, i.ITN_NAME, o.CONSULTANT_NAME AS OPS_CONSULTANT, "
            "s.CBPT_STATUS AS OPS_STATUS FROM M_TBL_TRANSACTION a "
            "LEFT JOIN M_TBL_PARTY b ON b.PARTY_CODE=a.PARTY_CODE "
            "LEFT JOIN M_TBL_CBPT_STATUS c ON c.CBPTSTATUS_CODE=a.CBPTSTATUS_CODE "
            "LEFT JOIN M_TBL_TRANSACTION l ON l.DOC_CODE='BLFC01' AND l.DOC_NO=a.LEAD_NO "
            "LEFT JOIN M_TBL_CONSULTANT k ON k.CONSULTANT_CODE=l.CONSULTANT_CODE "
            "LEFT JOIN M_TBL_QUOTATION q ON q.DOC_CODE='QGBL01' AND q.DOC_NO=a.QUOTATION_NO "
            "LEFT JOIN M_TBL_ITINERARY_HEADER i ON i.ITN_DOCNO=q.ITINERARY_NO "
            "LEFT JOIN M_TBL_CONSULTANT_OP o ON o.CONSULTANT_CODE=a.CONSLT_OPS "
            "LEFT JOIN M_TBL_CBPT_STATUS_OPS s ON s.CBPTSTATUS_CODE_O=a.CBPTSTATUS_CODE_O "
            "WHERE a.DOC_CODE=? AND a.DOC_NO=?"),
        {kBooking, number});
}

void BookingOperations::requireLive(qint64 booking) {
    const QVariant state = db_.scalar(
        QStringLiteral("SELECT COALESCE(DOC_STATUS, '') FROM M_TBL_TRANSACTION WHERE DOC_CODE=? AND DOC_NO=?") +
            db_.dialect().forUpdate(),
        {kBooking, booking});
    if (state.isNull())
        changed();
    if (state.toString().trimmed() == status::kCancelled)
        throw DbError(DbError::Kind::Refused, cancelledText(booking));
}

void BookingOperations::setStatus(qint64 booking, qint64 status) {
    const QStringList& locks = lockColumns();
    db_.transact([&] {
        requireLive(booking);
        const auto s = db_.firstRow(QStringLiteral("SELECT %1 FROM M_TBL_CBPT_STATUS WHERE CBPTSTATUS_CODE=?")
                                        .arg(locks.join(QLatin1String(", "))),
                                    {status});
        const auto b = db_.firstRow(
            QStringLiteral("SELECT LEAD_NO, QUOTATION_NO FROM M_TBL_TRANSACTION WHERE DOC_CODE=? AND DOC_NO=?"),
            {kBooking, booking});
        if (!s || !b)
            changed();
        requirePresent(db_,
                       QStringLiteral("SELECT COUNT(*) FROM M_TBL_TRANSACTION WHERE DOC_CODE='BLFC01' AND DOC_NO=?"),
                       b->value(0), QStringLiteral("LEAD NO"), booking);
        requirePresent(db_, QStringLiteral("SELECT COUNT(*) FROM M_TBL_QUOTATION WHERE DOC_CODE='QGBL01' AND DOC_NO=?"),
                       b->value(1), QStringLiteral("QUOTATION NO"), booking);
        QVariantList flags;
        for (const QString& column : locks)
            flags << flag(s->value(column));
        const QString now = db_.dialect().now();
        const QString live = QStringLiteral(" WHERE DOC_CODE=? AND DOC_NO=? AND ") + sql::notCancelled();
        exactlyOne(db_.execAffected(
            QStringLiteral("UPDATE M_TBL_TRANSACTION SET CBPTSTATUS_CODE=?, CBPT_STATUS_UPDBY=?, CBPT_STATUS_UPDON=%1")
                    .arg(now) +
                live,
            {status, user_, kBooking, booking}));
        exactlyOne(db_.execAffected(QStringLiteral("UPDATE M_TBL_TRANSACTION SET LCK_LEAD=?, LCK_UPDATEBY=?, "
                                                   "LCK_UPDATEON=%1 WHERE DOC_CODE='BLFC01' AND DOC_NO=?")
                                        .arg(now),
                                    {flags.at(0), user_, b->value(0)}));
        exactlyOne(db_.execAffected(QStringLiteral("UPDATE M_TBL_QUOTATION SET LCK_QUOT=?, LCK_UPDATEBY=?, "
                                                   "LCK_UPDATEON=%1 WHERE DOC_CODE='QGBL01' AND DOC_NO=?")
                                        .arg(now),
                                    {flags.at(1), user_, b->value(1)}));
        QStringList sets;
        for (const QString& column : locks)
            sets << column + QStringLiteral("=?");
        QVariantList values = flags;
        values << user_ << kBooking << booking;
        exactlyOne(db_.execAffected(QStringLiteral("UPDATE M_TBL_TRANSACTION SET %1, LCK_UPDATEBY=?, LCK_UPDATEON=%2")
                                            .arg(sets.join(QLatin1String(", ")), now) +
                                        live,
                                    values));
    });
}

void BookingOperations::assignConsultant(qint64 booking, qint64 consultant) {
    db_.transact([&] {
        requireLive(booking);
        exactlyOne(db_.execAffected(
            QStringLiteral("UPDATE M_TBL_TRANSACTION SET CONSLT_OPS=?, CBPT_STATUS_O_UPDON=%1, CBPT_STATUS_O_UPDBY=? "
                           "WHERE DOC_CODE=? AND DOC_NO=? AND %2")
                .arg(db_.dialect().now(), sql::notCancelled()),
            {consultant, user_, kBooking, booking}));
    });
}

void BookingOperations::updateLog(qint64 booking, const QString& action, qint64 opsStatus) {
    db_.transact([&] {
        requireLive(booking);
        checkTextLengths(db_, QStringLiteral("M_TBL_TRANSACTION"),
                         {{QStringLiteral("CONSUTLTANT_RESPONSETXT"), action}});
        exactlyOne(db_.execAffected(
            QStringLiteral("UPDATE M_TBL_TRANSACTION SET CONSUTLTANT_RESPONSETXT=?, CBPTSTATUS_CODE_O=? "
                           "WHERE DOC_CODE=? AND DOC_NO=? AND ") +
                sql::notCancelled(),
            {action, opsStatus > 0 ? QVariant(opsStatus) : QVariant(QMetaType(QMetaType::LongLong)), kBooking,
             booking}));
    });
}

}  // namespace tarvic
