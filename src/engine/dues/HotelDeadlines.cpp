#include "HotelDeadlines.h"

#include "data/Moments.h"
#include "data/RowReader.h"
#include "engine/DocumentState.h"

namespace tarvic {

namespace {

// A date typed, or check-in less the hotel's period in days, or none.
QDate deadline(const QVariant& typed, const QDate& checkIn, const QVariant& days) {
    if (const QDate d = dateFromDb(typed); d.isValid())
        return d;
    return days.isNull() || !checkIn.isValid() ? QDate() : checkIn.addDays(-days.toInt());
}

std::vector<HotelDeadline> readLines(Database& db, const QString& where, const QVariantList& values) {
    RowReader q(
        db,
        QStringLiteral("SELECT a.DOC_NO, a.ACC_CODE, b.DOC_NO AS R_BOOKING, l.CONSULTANT_CODE, a.HOTEL_NAME, "
                       "a.TOUR_DATE, h.OPTION_DT, h.FREECNCL_DT, p.OPTION_DAYS, p.FREECNCL_DAYS "
                       "FROM M_TBL_QUOTATION a "
                       "JOIN M_TBL_QUOTATION e ON e.DOC_CODE='QGBL01' AND e.DOC_NO=a.DOC_NO "
                       "JOIN M_TBL_TRANSACTION b ON b.DOC_CODE='CBPT01' AND b.DOC_NO=e.CBPT_NO AND %1 "
                       "LEFT JOIN M_TBL_TRANSACTION l ON l.DOC_CODE='BLFC01' AND l.DOC_NO=b.LEAD_NO "
                       "LEFT JOIN M_TBL_PARTY p ON p.PARTY_CODE=a.HOTEL_CODE "
                       "LEFT JOIN M_TBL_HOTEL_DEADLINE h ON h.QUOTATION_NO=a.DOC_NO AND h.LINE_NO=a.ACC_CODE "
                       "WHERE a.DOC_CODE='QGBL02' AND a.ACCOUNT_DESC='HOTEL' AND %2 ORDER BY a.TOUR_DATE, a.DOC_NO, "
                       "a.ACC_CODE")
            .arg(sql::live(QStringLiteral("b")), where),
        values);
    std::vector<HotelDeadline> out;
    while (q.next()) {
        HotelDeadline d;
        d.quotation = q.value(0).toLongLong();
        d.line = q.value(1).toLongLong();
        d.booking = q.value(2).toLongLong();
        d.consultant = q.value(3).toInt();
        d.hotel = q.value(4).toString().trimmed();
        d.checkIn = dateFromDb(q.value(5));
        d.option = deadline(q.value(6), d.checkIn, q.value(8));
        d.freeCancel = deadline(q.value(7), d.checkIn, q.value(9));
        out.push_back(d);
    }
    return out;
}

}  // namespace

void setHotelDeadlines(Database& db, const QString& user, qint64 quotation, qint64 line, const QDate& option,
                       const QDate& freeCancel) {
    db.transact([&] {
        if (db.scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_QUOTATION a JOIN M_TBL_QUOTATION e ON "
                                     "e.DOC_CODE='QGBL01' AND e.DOC_NO=a.DOC_NO JOIN M_TBL_TRANSACTION f ON "
                                     "f.DOC_CODE='CBPT01' AND f.DOC_NO=e.CBPT_NO AND %1 WHERE a.DOC_CODE='QGBL02' "
                                     "AND a.ACCOUNT_DESC='HOTEL' AND a.DOC_NO=? AND a.ACC_CODE=?")
                          .arg(sql::live(QStringLiteral("f"))),
                      {quotation, line})
                .toInt() != 1)
            throw DbError(DbError::Kind::Changed, QString::fromLatin1(kChangedByAnotherUser));
        db.execAffected(
            QStringLiteral(
                "INSERT INTO M_TBL_HOTEL_DEADLINE (QUOTATION_NO, LINE_NO, OPTION_DT, FREECNCL_DT, UPDATE_BY, "
                "UPDATE_ON) VALUES (?, ?, ?, ?, ?, %1) ON CONFLICT (QUOTATION_NO, LINE_NO) DO UPDATE SET "
                "OPTION_DT=excluded.OPTION_DT, FREECNCL_DT=excluded.FREECNCL_DT, "
                "UPDATE_BY=excluded.UPDATE_BY, UPDATE_ON=excluded.UPDATE_ON")
                .arg(db.dialect().now()),
            {quotation, line, dateToDb(option), dateToDb(freeCancel), user});
    });
}

std::vector<HotelDeadline> hotelDeadlines(Database& db, qint64 booking) {
    return readLines(db, QStringLiteral("b.DOC_NO=?"), {booking});
}

std::vector<HotelDeadline> hotelDeadlinesFrom(Database& db, const QDate& from, std::optional<int> consultant) {
    QString where = QStringLiteral(
        "a.TOUR_DATE >= ? AND (h.QUOTATION_NO IS NOT NULL OR p.OPTION_DAYS IS NOT NULL OR "
        "p.FREECNCL_DAYS IS NOT NULL)");
    QVariantList values{from};
    if (consultant) {
        where += QStringLiteral(" AND l.CONSULTANT_CODE=?");
        values << *consultant;
    }
    return readLines(db, where, values);
}

}  // namespace tarvic
