#include "AdviceNotes.h"

#include "data/AmountInWords.h"
#include "data/DocumentKinds.h"
#include "data/Moments.h"
#include "data/TransactionRecords.h"
#include "engine/DocumentState.h"

namespace tarvic {

QString adviceCode(AdviceKind kind) {
    switch (kind) {
        case AdviceKind::Hotel:
            return QStringLiteral("ANCP01");
        case AdviceKind::Vehicle:
            return QStringLiteral("ANCP02");
        case AdviceKind::Other:
            break;
    }
    return QStringLiteral("ANCP03");
}

AdviceBooking readAdviceBooking(Database& db, AdviceKind kind, qint64 booking) {
    AdviceBooking b;
    if (booking <= 0)
        return b;
    // The lock column comes from the document kinds, never from text typed anywhere.
    const DocumentKind* k = documentKind(adviceCode(kind));
    const QString lock = QString::fromLatin1(k && k->bookingLock ? k->bookingLock : "LCK_CBPT");
    const auto row =
        db.firstRow(QStringLiteral("SELECT a.QUOTATION_NO, q.ITINERARY_NO, a.START_DT, a.END_DT, a.DOC_STATUS, "
                                   "COALESCE(a.%1,'N') AS NOTE_LOCK FROM M_TBL_TRANSACTION a "
                                   "LEFT JOIN M_TBL_QUOTATION q ON q.DOC_CODE='QGBL01' AND q.DOC_NO=a.QUOTATION_NO "
                                   "WHERE a.DOC_CODE='CBPT01' AND a.DOC_NO=?")
                        .arg(lock),
                    {booking});
    if (!row)
        return b;
    b.number = booking;
    b.quotation = row->value(0).toLongLong();
    b.itinerary = row->value(1).toLongLong();
    b.start = dateFromDb(row->value(2));
    b.end = dateFromDb(row->value(3));
    b.status = row->value(4).toString().trimmed();
    b.open = b.status == status::kLive && row->value(5).toString().trimmed() != QLatin1String("Y");
    return b;
}

QDate nextVehicleStart(Database& db, const AdviceBooking& booking) {
    // A cancelled hire holds no days, so the next one does not start after it.
    const QDate last = dateFromDb(db.scalar(QStringLiteral("SELECT MAX(END_DT) AS NEWSTRT_DT FROM M_TBL_TRANSACTION "
                                                           "WHERE DOC_CODE='ANCP02' AND IN_DOCCODE='CBPT01' AND "
                                                           "IN_DOCNO=? AND ") +
                                                sql::live(),
                                            {booking.number}));
    return last.isValid() ? last : booking.start;
}

std::optional<QSqlRecord> readAdviceNote(Database& db, AdviceKind kind, qint64 number, bool liveOnly) {
    return db.firstRow(
        QStringLiteral("SELECT a.*, d.PARTY_NAME AS SHOWN_PARTY, e.PARTY_TYPE AS SHOWN_PARTYTYPE, "
                       "b.ROOM_TYPE AS SHOWN_ROOMTYPE, c.MEAL_PLAN AS SHOWN_MEALPLAN, v.VEH_BRAND AS SHOWN_BRAND, "
                       "o.ACCOUNT_DESC AS SHOWN_CHARGE FROM M_TBL_TRANSACTION a "
                       "LEFT JOIN M_TBL_PARTY d ON d.PARTY_CODE=a.PARTY_CODE "
                       "LEFT JOIN M_TBL_PARTYTYPE e ON e.PARTYTYPE_CODE=d.PARTYTYPE_CODE "
                       "LEFT JOIN M_TBL_HOTELROOMTYPE b ON b.ROOMTYPE_CODE=a.ROOMTYPE_CODE "
                       "LEFT JOIN M_TBL_MEALPLAN c ON c.MEALPLAN_CODE=a.MEALPLAN_CODE "
                       "LEFT JOIN MST_VEHICLEBRANDTYPE v ON v.VEH_BRANDID=a.VEH_BRANDID "
                       "LEFT JOIN M_TBL_DOCUMENTACCOUNT_COMB o ON o.DOC_CODE=a.DOC_CODE AND o.ACC_CODE=a.TO_ACC "
                       "WHERE a.DOC_CODE=? AND a.DOC_NO=?%1")
            .arg(liveOnly ? QStringLiteral(" AND ") + sql::live(QStringLiteral("a")) : QString()),
        {adviceCode(kind), number});
}

QString adviceDescription(AdviceKind kind, Money total, qint64 booking, qint64 number, const QString& remarks) {
    const QString code = adviceCode(kind);
    const char* name = kind == AdviceKind::Hotel ? "HOTEL" : kind == AdviceKind::Vehicle ? "VEHICLE" : "OTHER";
    QString text = QStringLiteral("%1 - %2 : RS %3 AGAINST CBPT NO :%4 VIDE DOCNO: %5")
                       .arg(code, QLatin1String(name), total.toString())
                       .arg(booking)
                       .arg(number);
    if (kind == AdviceKind::Other)
        text += QStringLiteral(", ") + remarks;
    return text.left(2000);
}

qint64 storeAdviceNote(Database& db, const QString& user, const AdviceNoteToSave& note) {
    Document d;
    d.code = adviceCode(note.kind);
    d.number = note.number;
    d.booking = note.booking;
    d.amount = note.total;
    d.columns = note.columns;
    d.columns.insert(d.columns.end(), {{QStringLiteral("GRAND_TOTAL"), note.total.toVariant()},
                                       {QStringLiteral("AMT_INWORDS"), amountInWordsPhrase(note.total)},
                                       {QStringLiteral("REMARKS"), note.remarks}});
    TransactionRecords records(db, user);
    return db.transact([&] {
        const qint64 number =
            records.save(d, [&] { return records.bookingOpen(d.code, note.booking) ? QString() : kAdviceBookingShut; });
        const int changed = db.execAffected(
            QStringLiteral("UPDATE M_TBL_TRANSACTION SET DOC_DESC=? WHERE DOC_CODE=? AND DOC_NO=? AND ") + sql::live(),
            {adviceDescription(note.kind, note.total, note.booking, number, note.remarks), d.code, number});
        if (changed != 1)
            throw DbError(DbError::Kind::Changed, QString::fromLatin1(kChangedByAnotherUser));
        return number;
    });
}

}  // namespace tarvic
