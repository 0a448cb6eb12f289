#include "BulkPostings.h"

#include "data/AmountInWords.h"
#include "data/Dialect.h"
#include "data/Moments.h"
#include "data/TransactionRecords.h"
#include "engine/DocumentState.h"

namespace tarvic {

QString bulkLineFault(Database& db, const QString& code, qint64 booking, const std::vector<BulkLine>& lines) {
    if (booking <= 0)
        return QStringLiteral("CANNOT PROCEED, PLEASE ENTER CBPT NO PROPERLY ....");
    for (const BulkLine& l : lines)
        if (l.booking == booking)
            return QStringLiteral("CANNOT PROCEED, CBPT NO %1 IS ALREADY IN THE LIST ....").arg(booking);
    const DocumentKind* kind = documentKind(code);
    // The lock column comes from the kinds table, never from what was typed.
    const QString lock = kind && kind->bookingLock ? QString::fromLatin1(kind->bookingLock) : QStringLiteral("'N'");
    const auto row = db.firstRow(QStringLiteral("SELECT DOC_STATUS AS R_STATUS, COALESCE(%1,'N') AS R_LOCK "
                                                "FROM M_TBL_TRANSACTION WHERE DOC_CODE=? AND DOC_NO=?%2")
                                     .arg(lock, db.dialect().forUpdate()),
                                 {QString::fromLatin1(kBookingCode), booking});
    if (!row)
        return QStringLiteral("CANNOT PROCEED, CBPT NO %1 DOES NOT EXIST ....").arg(booking);
    if (row->value(0).toString().trimmed() != status::kLive)
        return QStringLiteral("CANNOT PROCEED, CBPT NO %1 IS CANCELLED ....").arg(booking);
    if (row->value(1).toString().trimmed() == QLatin1String("Y"))
        return QStringLiteral("CANNOT PROCEED, CBPT NO %1 IS LOCKED ....").arg(booking);
    return {};
}

qint64 postBulk(Database& db, const QString& user, const BulkPosting& posting,
                const std::function<void(int done, qint64 booking)>& progress) {
    const DocumentKind* kind = documentKind(posting.code);
    if (!kind)
        throw DbError(DbError::Kind::Other, QStringLiteral("no document kind %1").arg(posting.code));
    std::vector<Document> parts;
    for (const BulkLine& l : posting.lines) {
        Document d;
        d.code = posting.code;
        d.booking = l.booking;
        d.amount = l.amount;
        d.columns = {{QStringLiteral("DOC_DATE"), dateToDb(posting.date)},
                     {QStringLiteral("TO_ACC"), posting.code},
                     {QStringLiteral("PARTY_CODE"), posting.party},
                     {QStringLiteral("DOC_DESC"), posting.narration},
                     {QStringLiteral("GRAND_TOTAL"), l.amount.toVariant()},
                     {QStringLiteral("AMT_INWORDS"), amountInWordsPhrase(l.amount)},
                     {QStringLiteral("PAY_MODEID"), posting.payMode},
                     {QStringLiteral("TO_BANKID"), posting.bank},
                     {QStringLiteral("BANK_ID"), 0},
                     {QStringLiteral("INSTR_NO"), posting.instrNo},
                     {QStringLiteral("REMARKS"), posting.remarks}};
        if (posting.instrDate.isValid())
            d.columns.emplace_back(QStringLiteral("INSTR_DATE"), dateToDb(posting.instrDate));
        d.pairColumns = {{QStringLiteral("TO_ACC"), QString::fromLatin1(kind->pairCode)}};
        parts.push_back(std::move(d));
    }
    TransactionRecords records(db, user);
    return records.save(parts, [&] {
        // Each booking again, as it is now, under the save's transaction.
        std::vector<BulkLine> seen;
        for (const BulkLine& l : posting.lines) {
            if (progress)
                progress(int(seen.size()), l.booking);
            const QString fault = bulkLineFault(db, posting.code, l.booking, seen);
            if (!fault.isEmpty())
                return fault;
            seen.push_back(l);
        }
        return QString();
    });
}

std::vector<UnsettledBooking> unsettledBookings(Database& db, const QStringList& codes, qint64 party) {
    std::vector<UnsettledBooking> out;
    if (codes.isEmpty())
        return out;
    QVariantList values;
    for (const QString& c : codes)
        values << c;
    values << QString::fromLatin1(kBookingCode) << party;
    const QString balance = exactSum(QStringLiteral("a.DB_AMT"), QStringLiteral("a.CR_AMT"));
    QSqlQuery q =
        db.exec(QStringLiteral("SELECT a.IN_DOCNO AS R_BOOKING, %1 AS R_BALANCE, B.TOURIST_NAME AS R_GUEST, "
                               "B.START_DT AS R_START, B.END_DT AS R_END FROM M_TBL_TRANSACTION a "
                               "LEFT JOIN M_TBL_TRANSACTION B ON B.DOC_CODE='CBPT01' AND B.DOC_NO=a.IN_DOCNO "
                               "WHERE a.DOC_CODE IN (%2) AND a.IN_DOCCODE=? AND a.PARTY_CODE=? AND %3 "
                               "GROUP BY a.IN_DOCNO, B.TOURIST_NAME, B.START_DT, B.END_DT "
                               "HAVING ROUND(%1, 2) <> 0 ORDER BY a.IN_DOCNO DESC")
                    .arg(balance, TransactionRecords::placeholders(codes.size()), sql::live(QStringLiteral("a"))),
                values);
    while (q.next())
        out.push_back(
            {q.value(0).toLongLong(), Money::fromVariant(q.value(1)), q.value(2).toString(), q.value(3), q.value(4)});
    return out;
}

std::optional<SavedBulkPosting> savedBulkPosting(Database& db, const QString& code, qint64 number) {
    std::optional<SavedBulkPosting> out;
    QSqlQuery q =
        db.exec(QStringLiteral("SELECT a.DOC_DATE, a.PARTY_CODE, b.PARTY_NAME, a.TO_BANKID, a.PAY_MODEID, a.INSTR_NO, "
                               "a.INSTR_DATE, a.DOC_STATUS, a.CREATED_BY, a.CREATED_ON, a.IN_DOCNO, a.GRAND_TOTAL "
                               "FROM M_TBL_TRANSACTION a LEFT JOIN M_TBL_PARTY b ON b.PARTY_CODE=a.PARTY_CODE "
                               "WHERE a.DOC_CODE=? AND a.DOC_NO=? ORDER BY COALESCE(a.DOC_PART, 1), a.IN_DOCNO"),
                {code, number});
    while (q.next()) {
        if (!out)
            out = SavedBulkPosting{q.record(), {}};
        out->lines.push_back({q.value(10).toLongLong(), Money::fromVariant(q.value(11))});
    }
    return out;
}

}  // namespace tarvic
