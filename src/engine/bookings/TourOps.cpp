#include "TourOps.h"

#include "data/ColumnLengths.h"
#include "engine/DocumentState.h"

namespace tarvic {

void setHotelLineStatus(Database& db, const QString& user, qint64 quotation, qint64 line, qint64 status) {
    db.transact([&] {
        if (db.scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_HOTELSTATUS WHERE HOTELSTATUS_CODE=?"), {status})
                .toLongLong() != 1)
            throw DbError(DbError::Kind::Refused, kChooseHotelStatus);
        // Only the line of a live booking: one cancelled meanwhile on another workstation is not
        // followed any more.
        const int changed = db.execAffected(
            QStringLiteral("UPDATE M_TBL_QUOTATION SET HOTELSTATUS_CODE=?, HOTL_STATUPDON=%1, HOTL_STATUPDBY=? "
                           "WHERE DOC_CODE='QGBL02' AND ACCOUNT_DESC='HOTEL' AND DOC_NO=? AND ACC_CODE=? AND EXISTS "
                           "(SELECT 1 FROM M_TBL_QUOTATION e JOIN M_TBL_TRANSACTION f ON f.DOC_CODE='CBPT01' "
                           "AND f.DOC_NO=e.CBPT_NO WHERE e.DOC_CODE='QGBL01' AND e.DOC_NO=? AND %2)")
                .arg(db.dialect().now(), sql::live(QStringLiteral("f"))),
            {status, user, quotation, line, quotation});
        if (changed != 1)
            throw DbError(DbError::Kind::Changed, QString::fromLatin1(kChangedByAnotherUser));
        // The day rows take the line's very moment, read back, not a second reading of the clock.
        const QVariant on =
            db.scalar(QStringLiteral("SELECT HOTL_STATUPDON FROM M_TBL_QUOTATION WHERE "
                                     "DOC_CODE='QGBL02' AND ACCOUNT_DESC='HOTEL' AND DOC_NO=? AND ACC_CODE=?"),
                      {quotation, line});
        db.exec(QStringLiteral("UPDATE M_TBL_QUOTATION SET HOTELSTATUS_CODE=?, HOTL_STATUPDON=?, HOTL_STATUPDBY=? "
                               "WHERE DOC_CODE='QGBL03' AND ACCOUNT_DESC='HOTEL' AND DOC_NO=? AND ACC_CODE=?"),
                {status, on, user, quotation, line});
    });
}

void saveFeedback(Database& db, const QString& user, qint64 booking, const QString& feedback) {
    db.transact([&] {
        const auto row = db.firstRow(QStringLiteral("SELECT DOC_STATUS FROM M_TBL_TRANSACTION WHERE DOC_CODE='CBPT01' "
                                                    "AND DOC_NO=?%1")
                                         .arg(db.dialect().forUpdate()),
                                     {booking});
        if (!row)
            throw DbError(DbError::Kind::Changed, QString::fromLatin1(kChangedByAnotherUser));
        if (row->value(0).toString().trimmed() == status::kCancelled)
            throw DbError(DbError::Kind::Cancelled, kBookingCancelled);
        checkTextLengths(db, QStringLiteral("M_TBL_TRANSACTION"), {{QStringLiteral("REMARKS"), feedback}});
        if (db.execAffected(QStringLiteral("UPDATE M_TBL_TRANSACTION SET REMARKS=?, UPDATE_BY=?, UPDATE_ON=%1 "
                                           "WHERE DOC_CODE='CBPT01' AND DOC_NO=? AND %2")
                                .arg(db.dialect().now(), sql::notCancelled()),
                            {feedback, user, booking}) != 1)
            throw DbError(DbError::Kind::Changed, QString::fromLatin1(kChangedByAnotherUser));
    });
}

}  // namespace tarvic
