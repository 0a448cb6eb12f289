#include "TourOps.h"

#include "data/ColumnLengths.h"
#include "data/Moments.h"
#include "sales/QuotationLines.h"

#include <QComboBox>
#include <QSqlRecord>

#include <vector>

namespace tarvic {

int regenerateTourDays(Database& db, const TourDayProgress& progress) {
    const auto phase = [&](const char* text) {
        if (progress.phase)
            progress.phase(QLatin1String(text));
    };
    return db.transact([&] {
        phase("CLEARING TOURING DATES FROM THE TABLE, PLEASE WAIT .....");
        db.exec(QStringLiteral("DELETE FROM M_TBL_QUOTATION WHERE DOC_CODE='QGBL03'"));
        phase("FETCHING RECORDS FOR RE-GENERATION, PLEASE WAIT .....");
        // Read whole before the first insert: one statement object per statement.
        std::vector<TourDayLine> lines;
        {
            QSqlQuery q = db.exec(
                QStringLiteral("SELECT DOC_NO, ACC_CODE, ACCOUNT_DESC, TOUR_DATE, CHKOT_DT FROM M_TBL_QUOTATION "
                               "WHERE DOC_CODE='QGBL02' AND ACCOUNT_DESC IN ('HOTEL','VEHICLE') "
                               "ORDER BY ACCOUNT_DESC, TOUR_DATE, DOC_NO, ACC_CODE"));
            while (q.next()) {
                TourDayLine l;
                l.quotation = q.value(0).toLongLong();
                l.line = q.value(1).toLongLong();
                l.kind = q.value(2).toString().trimmed();
                l.from = dateFromDb(q.value(3));
                l.to = dateFromDb(q.value(4));
                l.days = l.from.isValid() ? lineDayCount(l.kind, l.from, l.to) : 0;
                lines.push_back(l);
            }
            q.finish();
        }
        if (lines.empty())
            return 0;
        phase("RE-GENERATION ABOUT TO BEGIN, PLEASE WAIT .....");
        const int total = int(lines.size());
        for (int i = 0; i < total; ++i) {
            const TourDayLine& l = lines[size_t(i)];
            for (int d = 0; d < l.days; ++d) {
                insertLineDays(db, l.quotation, l.line, l.kind, l.from.addDays(d), 1);
                if (progress.row)
                    progress.row(i + 1, total, l, l.from.addDays(d));
            }
        }
        return total;
    });
}

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
                           "AND f.DOC_NO=e.CBPT_NO WHERE e.DOC_CODE='QGBL01' AND e.DOC_NO=? AND f.DOC_STATUS='APPRV')")
                .arg(db.dialect().now()),
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
        if (row->value(0).toString().trimmed() == QLatin1String("CNCL"))
            throw DbError(DbError::Kind::Cancelled, kBookingCancelled);
        checkTextLengths(db, QStringLiteral("M_TBL_TRANSACTION"), {{QStringLiteral("REMARKS"), feedback}});
        if (db.execAffected(QStringLiteral("UPDATE M_TBL_TRANSACTION SET REMARKS=?, UPDATE_BY=?, UPDATE_ON=%1 "
                                           "WHERE DOC_CODE='CBPT01' AND DOC_NO=? AND COALESCE(DOC_STATUS,'') <> 'CNCL'")
                                .arg(db.dialect().now()),
                            {feedback, user, booking}) != 1)
            throw DbError(DbError::Kind::Changed, QString::fromLatin1(kChangedByAnotherUser));
    });
}

RowColours statusColours(const QSqlRecord& r) {
    const auto colour = [&](const char* red, const char* green, const char* blue) {
        const QVariant rv = r.value(QLatin1String(red));
        if (rv.isNull())
            return QColor();
        return QColor(rv.toInt(), r.value(QLatin1String(green)).toInt(), r.value(QLatin1String(blue)).toInt());
    };
    return {colour("H_RED", "H_GREEN", "H_BLUE"), colour("H_F_RED", "H_F_GREEN", "H_F_BLUE")};
}

void loadStatusChoices(Database& db, QComboBox* list, const QString& table, const QString& codeColumn,
                       const QString& nameColumn, const QString& orderColumn, const QString& allText) {
    list->clear();
    if (!allText.isEmpty())
        list->addItem(allText, QString());
    QSqlQuery q = db.exec(
        QStringLiteral("SELECT %1, %2 FROM %3 ORDER BY %4, %1").arg(codeColumn, nameColumn, table, orderColumn));
    while (q.next())
        list->addItem(q.value(1).toString().trimmed(), QString::number(q.value(0).toLongLong()));
    q.finish();
}

QString chosenCode(const QComboBox* list) {
    return list->currentIndex() < 0 ? QString() : list->currentData().toString();
}

}  // namespace tarvic
