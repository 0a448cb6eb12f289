#include "BooksCheck.h"

#include "DocumentKinds.h"
#include "DocumentStatus.h"
#include "DueBalances.h"
#include "DocumentNumbers.h"
#include "InvoiceTotals.h"
#include "Moments.h"
#include "Money.h"
#include "SchemaTables.h"
#include "Numbering.h"
#include "TransactionRecords.h"

#include <algorithm>

namespace tarvic {

namespace {

// The status literals named once (DocumentStatus.h) put into a check's statement.
QString withStatuses(QString sql) {
    return sql.replace(QLatin1String("{CANCELLED}"), QLatin1Char('\'') + status::kCancelled + QLatin1Char('\''));
}

QString numberText(const QVariant& v) {
    return v.isNull() ? QStringLiteral("none") : QString::number(v.toLongLong());
}

// "FRDB01 12" or, when the booking is part of the pair's key, "FRDB01 12 (IN_DOCNO 5)".
QString docRef(const QString& codes, const QVariant& number, const QVariant& inDocNo, bool byBooking) {
    QString s = codes + QLatin1Char(' ') + numberText(number);
    if (byBooking && !inDocNo.isNull())
        s += QStringLiteral(" (IN_DOCNO %1)").arg(inDocNo.toLongLong());
    return s;
}

// The pairs as a constant table inside the statement, every code bound.
QString pairsCte(bool bothDirections, QVariantList& values) {
    QStringList rows;
    for (const DocumentKind& k : documentKinds()) {
        if (!k.pairCode)
            continue;
        const QString flag = k.keyedByBooking ? QStringLiteral("Y") : QStringLiteral("N");
        rows << QStringLiteral("(?, ?, ?)");
        values << QString::fromLatin1(k.code) << QString::fromLatin1(k.pairCode) << flag;
        if (bothDirections) {
            rows << QStringLiteral("(?, ?, ?)");
            values << QString::fromLatin1(k.pairCode) << QString::fromLatin1(k.code) << flag;
        }
    }
    return QStringLiteral("WITH P (CODE, OTHER_CODE, BY_BOOKING) AS (VALUES %1) ").arg(rows.join(QStringLiteral(", ")));
}

// (a) A row of a paired code whose partner row (same number, same booking where the pair is
// keyed by it) does not exist.
void missingPartners(Database& db, QStringList& problems) {
    QVariantList values;
    const QString sql =
        pairsCte(true, values) +
        QStringLiteral(
            "SELECT T.DOC_CODE AS R_CODE, T.DOC_NO AS R_NO, T.IN_DOCNO AS R_INDOCNO, P.OTHER_CODE AS R_OTHER, "
            "P.BY_BOOKING AS R_BYBOOKING "
            "FROM P JOIN M_TBL_TRANSACTION T ON T.DOC_CODE = P.CODE "
            "WHERE NOT EXISTS (SELECT 1 FROM M_TBL_TRANSACTION O WHERE O.DOC_CODE = P.OTHER_CODE "
            "AND O.DOC_NO = T.DOC_NO "
            "AND (P.BY_BOOKING = 'N' OR COALESCE(O.IN_DOCNO, -1) = COALESCE(T.IN_DOCNO, -1))) "
            "ORDER BY T.DOC_CODE, T.DOC_NO, T.IN_DOCNO");
    QSqlQuery q = db.exec(sql, values);
    while (q.next()) {
        const bool byBooking = q.value(QStringLiteral("R_BYBOOKING")).toString() == QLatin1String("Y");
        problems << QStringLiteral("%1: its %2 row is missing")
                        .arg(docRef(q.value(QStringLiteral("R_CODE")).toString(), q.value(QStringLiteral("R_NO")),
                                    q.value(QStringLiteral("R_INDOCNO")), byBooking),
                             q.value(QStringLiteral("R_OTHER")).toString());
    }
}

// (a), (c) Both rows present, but the amounts do not mirror, the party differs, or only one
// side carries the cancellation.
void mismatchedPairs(Database& db, QStringList& problems) {
    QVariantList values;
    const QString sql =
        pairsCte(false, values) +
        QStringLiteral(
            "SELECT A.DOC_CODE AS A_CODE, B.DOC_CODE AS B_CODE, A.DOC_NO AS A_NO, A.IN_DOCNO AS A_INDOCNO, "
            "P.BY_BOOKING AS R_BYBOOKING, "
            "A.DB_AMT AS A_DB, A.CR_AMT AS A_CR, B.DB_AMT AS B_DB, B.CR_AMT AS B_CR, "
            "A.PARTY_CODE AS A_PARTY, B.PARTY_CODE AS B_PARTY, A.DOC_STATUS AS A_STATUS, B.DOC_STATUS AS B_STATUS "
            "FROM P JOIN M_TBL_TRANSACTION A ON A.DOC_CODE = P.CODE "
            "JOIN M_TBL_TRANSACTION B ON B.DOC_CODE = P.OTHER_CODE AND B.DOC_NO = A.DOC_NO "
            "AND (P.BY_BOOKING = 'N' OR COALESCE(B.IN_DOCNO, -1) = COALESCE(A.IN_DOCNO, -1)) "
            "WHERE ABS(COALESCE(A.DB_AMT, 0) - COALESCE(B.CR_AMT, 0)) >= 0.005 "
            "OR ABS(COALESCE(A.CR_AMT, 0) - COALESCE(B.DB_AMT, 0)) >= 0.005 "
            "OR COALESCE(A.PARTY_CODE, -1) <> COALESCE(B.PARTY_CODE, -1) "
            "OR COALESCE(A.DOC_STATUS, '') <> COALESCE(B.DOC_STATUS, '') "
            "ORDER BY A.DOC_CODE, A.DOC_NO, A.IN_DOCNO");
    QSqlQuery q = db.exec(sql, values);
    while (q.next()) {
        const auto v = [&](const char* name) { return q.value(QString::fromLatin1(name)); };
        const QString a = v("A_CODE").toString();
        const QString b = v("B_CODE").toString();
        const QString ref = docRef(a + QLatin1Char('/') + b, v("A_NO"), v("A_INDOCNO"),
                                   v("R_BYBOOKING").toString() == QLatin1String("Y"));
        const Money aDb = Money::fromVariant(v("A_DB")), aCr = Money::fromVariant(v("A_CR"));
        const Money bDb = Money::fromVariant(v("B_DB")), bCr = Money::fromVariant(v("B_CR"));
        if (aDb != bCr || aCr != bDb)
            problems << QStringLiteral("%1: amounts do not mirror (%2 DB %3 CR %4, %5 DB %6 CR %7)")
                            .arg(ref, a, aDb.toString(), aCr.toString(), b, bDb.toString(), bCr.toString());
        if (numberText(v("A_PARTY")) != numberText(v("B_PARTY")))
            problems << QStringLiteral("%1: party differs (%2 PARTY_CODE %3, %4 PARTY_CODE %5)")
                            .arg(ref, a, numberText(v("A_PARTY")), b, numberText(v("B_PARTY")));
        const QString aStatus = v("A_STATUS").toString().trimmed();
        const QString bStatus = v("B_STATUS").toString().trimmed();
        if (aStatus != bStatus) {
            const bool halfCancelled = aStatus == status::kCancelled || bStatus == status::kCancelled;
            problems << QStringLiteral("%1: %2 (%3 %4, %5 %6)")
                            .arg(ref,
                                 halfCancelled ? QStringLiteral("cancelled on one side only")
                                               : QStringLiteral("status differs"),
                                 a, aStatus, b, bStatus);
        }
    }
}

// (b) Two rows under one key: a number held by two documents (or a document saved twice).
void duplicateKeys(Database& db, QStringList& problems) {
    for (const DoubledNumber& d : doubledNumbers(db)) {
        QString ref = d.code + QLatin1Char(' ') + QString::number(d.number);
        QStringList inDocNos;
        for (qint64 n : d.inDocNos)
            inDocNos << QString::number(n);
        if (!inDocNos.isEmpty())
            ref += QStringLiteral(" (IN_DOCNO %1)").arg(inDocNos.join(QStringLiteral(", ")));
        if (d.line != -1)
            ref += QStringLiteral(" line %1").arg(d.line);
        if (d.part != 1)
            ref += QStringLiteral(" part %1").arg(d.part);
        problems << QStringLiteral("%1: %2 rows under one key").arg(ref).arg(d.rows);
    }
}

// (d) A counter behind the highest number of its rows would hand out a used number. A
// document counter whose row is missing counts as a counter at 0 (a master's row is made
// past its highest code when first needed).
void countersBehind(Database& db, QStringList& problems) {
    QHash<QString, qint64> counters;
    {
        QSqlQuery q = db.exec(QStringLiteral("SELECT CODE, COUNTER FROM MST_COUNTER"));
        while (q.next())
            counters.insert(q.value(0).toString().trimmed(), q.value(1).toLongLong());
    }
    std::vector<const CounterUse*> uses;
    for (const CounterUse& u : counterUses())
        uses.push_back(&u);
    std::sort(uses.begin(), uses.end(), [](const CounterUse* a, const CounterUse* b) { return a->counter < b->counter; });
    Numbering numbering(db);
    for (const CounterUse* u : uses) {
        const auto counter = counters.constFind(u->counter);
        if (counter == counters.constEnd() && !u->document)
            continue;
        const qint64 highest = numbering.highestUsed(u->counter);
        if (counter == counters.constEnd() && highest > 0)
            problems << QStringLiteral("counter %1 is missing, but %1 numbers reach %2").arg(u->counter).arg(highest);
        else if (counter != counters.constEnd() && *counter < highest)
            problems << QStringLiteral("counter %1 is %2, below the highest %1 number %3")
                            .arg(u->counter)
                            .arg(*counter)
                            .arg(highest);
    }
}

// (e) A quotation's header total is the sum of its lines: every line window re-prices the
// header in the transaction that changed the line.
void quotationTotals(Database& db, QStringList& problems) {
    QSqlQuery q = db.exec(QStringLiteral("SELECT H.DOC_NO AS R_NO, H.TOTAL_AMOUNT AS R_TOTAL, "
                                         "(SELECT %1 FROM M_TBL_QUOTATION L WHERE L.DOC_CODE = 'QGBL02' "
                                         "AND L.DOC_NO = H.DOC_NO) AS R_LINES "
                                         "FROM M_TBL_QUOTATION H WHERE H.DOC_CODE = 'QGBL01' ORDER BY H.DOC_NO")
                              .arg(exactSum(QStringLiteral("L.TOTAL_AMOUNT"))));
    while (q.next()) {
        const Money total = Money::fromVariant(q.value(QStringLiteral("R_TOTAL")));
        const Money lines = Money::fromVariant(q.value(QStringLiteral("R_LINES")));
        if (total != lines)
            problems << QStringLiteral("QGBL01 %1: total %2 but its lines sum to %3")
                            .arg(numberText(q.value(QStringLiteral("R_NO"))), total.toString(), lines.toString());
    }
}

// (f) A hotel line has one day row per night, a vehicle line one per day, each on its own
// day; a day row has its line.
void quotationDays(Database& db, QStringList& problems) {
    QSqlQuery q = db.exec(QStringLiteral(
        "SELECT L.DOC_NO AS R_NO, L.ACC_CODE AS R_LINE, L.ACCOUNT_DESC AS R_KIND, L.TOUR_DATE AS R_FROM, "
        "L.CHKOT_DT AS R_TO, COUNT(D.CONS_TOURDT) AS R_DAYS, "
        "MIN(D.CONS_TOURDT) AS R_FIRST, MAX(D.CONS_TOURDT) AS R_LAST "
        "FROM M_TBL_QUOTATION L LEFT JOIN M_TBL_QUOTATION D ON D.DOC_CODE = 'QGBL03' AND D.DOC_NO = L.DOC_NO "
        "AND D.ACC_CODE = L.ACC_CODE "
        "WHERE L.DOC_CODE = 'QGBL02' AND L.ACCOUNT_DESC IN ('HOTEL', 'VEHICLE') "
        "GROUP BY L.DOC_NO, L.ACC_CODE, L.ACCOUNT_DESC, L.TOUR_DATE, L.CHKOT_DT ORDER BY L.DOC_NO, L.ACC_CODE"));
    while (q.next()) {
        const QDate from = dateFromDb(q.value(QStringLiteral("R_FROM")));
        const QDate to = dateFromDb(q.value(QStringLiteral("R_TO")));
        const bool hotel = q.value(QStringLiteral("R_KIND")).toString() == QLatin1String("HOTEL");
        const qint64 expected = from.daysTo(to) + (hotel ? 0 : 1);
        const qint64 days = q.value(QStringLiteral("R_DAYS")).toLongLong();
        const bool placed = days == 0 || (dateFromDb(q.value(QStringLiteral("R_FIRST"))) == from &&
                                          dateFromDb(q.value(QStringLiteral("R_LAST"))) == from.addDays(days - 1));
        if (days != expected || !placed)
            problems << QStringLiteral("QGBL02 %1 line %2: %3 day rows from %4, %5 expected from %6")
                            .arg(numberText(q.value(QStringLiteral("R_NO"))),
                                 numberText(q.value(QStringLiteral("R_LINE"))))
                            .arg(days)
                            .arg(dateText(q.value(QStringLiteral("R_FIRST"))))
                            .arg(expected)
                            .arg(from.toString(QStringLiteral("dd/MM/yyyy")));
    }
    QSqlQuery orphans = db.exec(QStringLiteral(
        "SELECT D.DOC_NO, D.ACC_CODE, COUNT(*) FROM M_TBL_QUOTATION D WHERE D.DOC_CODE = 'QGBL03' AND NOT EXISTS "
        "(SELECT 1 FROM M_TBL_QUOTATION L WHERE L.DOC_CODE = 'QGBL02' AND L.DOC_NO = D.DOC_NO "
        "AND L.ACC_CODE = D.ACC_CODE) GROUP BY D.DOC_NO, D.ACC_CODE ORDER BY D.DOC_NO, D.ACC_CODE"));
    while (orphans.next())
        problems << QStringLiteral("QGBL03 %1 line %2: %3 day rows without their line")
                        .arg(numberText(orphans.value(0)), numberText(orphans.value(1)))
                        .arg(orphans.value(2).toLongLong());
}

// (f2) Tour days carry their line's hotel status: a status given to a line reaches its days,
// and a regeneration keeps it.
void dayRowStatuses(Database& db, QStringList& problems) {
    QSqlQuery q = db.exec(QStringLiteral(
        "SELECT D.DOC_NO, D.ACC_CODE, COUNT(*) FROM M_TBL_QUOTATION D JOIN M_TBL_QUOTATION L "
        "ON L.DOC_CODE = 'QGBL02' AND L.DOC_NO = D.DOC_NO AND L.ACC_CODE = D.ACC_CODE "
        "WHERE D.DOC_CODE = 'QGBL03' AND COALESCE(D.HOTELSTATUS_CODE, -1) <> COALESCE(L.HOTELSTATUS_CODE, -1) "
        "GROUP BY D.DOC_NO, D.ACC_CODE ORDER BY D.DOC_NO, D.ACC_CODE"));
    while (q.next())
        problems << QStringLiteral("QGBL03 %1 line %2: %3 day rows with another hotel status than their line")
                        .arg(numberText(q.value(0)), numberText(q.value(1)))
                        .arg(q.value(2).toLongLong());
}

// (g) Each quotation's line counter ahead of its line numbers (the quotation counter is one of
// the counters above).
void quotationCounters(Database& db, QStringList& problems) {
    QSqlQuery q = db.exec(QStringLiteral(
        "SELECT L.DOC_NO, MAX(L.ACC_CODE), MAX(C.COUNTER) FROM M_TBL_QUOTATION L LEFT JOIN MST_COUNTER2 C "
        "ON C.CODE = CAST(L.DOC_NO AS VARCHAR(50)) WHERE L.DOC_CODE = 'QGBL02' GROUP BY L.DOC_NO "
        "HAVING COALESCE(MAX(C.COUNTER), 0) < MAX(L.ACC_CODE) ORDER BY L.DOC_NO"));
    while (q.next())
        problems << QStringLiteral("line counter of QGBL01 %1 is %2, below its highest line %3")
                        .arg(numberText(q.value(0)))
                        .arg(q.value(2).toLongLong())
                        .arg(q.value(1).toLongLong());
}

// (h) At most one live booking per quotation, and the quotation names it as its booking.
void bookingsOfQuotations(Database& db, QStringList& problems) {
    QSqlQuery q = db.exec(
        withStatuses(QStringLiteral("SELECT QUOTATION_NO, COUNT(*), MIN(DOC_NO), MAX(DOC_NO) FROM M_TBL_TRANSACTION "
                       "WHERE DOC_CODE = 'CBPT01' AND COALESCE(DOC_STATUS, '') <> {CANCELLED} AND QUOTATION_NO IS NOT NULL "
                       "GROUP BY QUOTATION_NO HAVING COUNT(*) > 1 ORDER BY QUOTATION_NO")));
    while (q.next())
        problems << QStringLiteral("QGBL01 %1: %2 live bookings (CBPT01 %3 to %4)")
                        .arg(numberText(q.value(0)))
                        .arg(q.value(1).toLongLong())
                        .arg(numberText(q.value(2)), numberText(q.value(3)));
    // A booking whose quotation is not on file (older data) names none; it is left alone.
    QSqlQuery named =
        db.exec(withStatuses(QStringLiteral("SELECT B.DOC_NO, B.QUOTATION_NO, Q.CBPT_NO FROM M_TBL_TRANSACTION B "
                               "JOIN M_TBL_QUOTATION Q ON Q.DOC_CODE = 'QGBL01' AND Q.DOC_NO = B.QUOTATION_NO "
                               "WHERE B.DOC_CODE = 'CBPT01' AND COALESCE(B.DOC_STATUS, '') <> {CANCELLED} "
                               "AND COALESCE(Q.CBPT_NO, -1) <> B.DOC_NO ORDER BY B.DOC_NO")));
    while (named.next())
        problems << QStringLiteral("QGBL01 %1: its booking number is %2, but its live booking is CBPT01 %3")
                        .arg(numberText(named.value(1)), numberText(named.value(2)), numberText(named.value(0)));
}

// (i) Nothing live is posted against a cancelled booking.
void postedOnCancelled(Database& db, QStringList& problems) {
    QSqlQuery q = db.exec(withStatuses(QStringLiteral(
        "SELECT T.DOC_CODE, T.DOC_NO, T.IN_DOCNO FROM M_TBL_TRANSACTION T JOIN M_TBL_TRANSACTION B "
        "ON B.DOC_CODE = 'CBPT01' AND B.DOC_NO = T.IN_DOCNO "
        "WHERE T.IN_DOCCODE = 'CBPT01' AND T.DOC_CODE <> 'CBPT01' AND COALESCE(T.DOC_STATUS, '') <> {CANCELLED} "
        "AND B.DOC_STATUS = {CANCELLED} ORDER BY T.DOC_CODE, T.DOC_NO, T.IN_DOCNO")));
    while (q.next())
        problems << QStringLiteral("%1 %2: live, but its booking CBPT01 %3 is cancelled")
                        .arg(q.value(0).toString(), numberText(q.value(1)), numberText(q.value(2)));
}

// (j) A cancelled row says who cancelled it, when and why; a live row says none of it.
void cancelColumns(Database& db, QStringList& problems) {
    QSqlQuery q = db.exec(
        withStatuses(QStringLiteral("SELECT DOC_CODE, DOC_NO, IN_DOCNO, DOC_STATUS FROM M_TBL_TRANSACTION WHERE "
                       "(DOC_STATUS = {CANCELLED} AND (CNCL_BY IS NULL OR CNCL_ON IS NULL OR REASON_CNCL IS NULL)) OR "
                       "(COALESCE(DOC_STATUS, '') <> {CANCELLED} AND (CNCL_BY IS NOT NULL OR CNCL_ON IS NOT NULL OR "
                       "REASON_CNCL IS NOT NULL)) ORDER BY DOC_CODE, DOC_NO, IN_DOCNO")));
    while (q.next()) {
        const bool cancelled = q.value(3).toString().trimmed() == status::kCancelled;
        problems << QStringLiteral("%1 %2: %3")
                        .arg(q.value(0).toString(), numberText(q.value(1)),
                             cancelled ? QStringLiteral("cancelled without who, when and why")
                                       : QStringLiteral("live but carries cancellation columns"));
    }
}

// (k) Both rows of a cancelled pair were cancelled together: by the same user, at the same
// moment, for the same reason.
void pairCancelColumns(Database& db, QStringList& problems) {
    QVariantList values;
    const QString sql =
        pairsCte(false, values) +
        withStatuses(QStringLiteral(
            "SELECT A.DOC_CODE, B.DOC_CODE, A.DOC_NO FROM P JOIN M_TBL_TRANSACTION A ON A.DOC_CODE = P.CODE "
            "JOIN M_TBL_TRANSACTION B ON B.DOC_CODE = P.OTHER_CODE AND B.DOC_NO = A.DOC_NO "
            "AND (P.BY_BOOKING = 'N' OR COALESCE(B.IN_DOCNO, -1) = COALESCE(A.IN_DOCNO, -1)) "
            "WHERE A.DOC_STATUS = {CANCELLED} AND B.DOC_STATUS = {CANCELLED} AND "
            "(COALESCE(A.CNCL_BY, '') <> COALESCE(B.CNCL_BY, '') "
            "OR COALESCE(A.REASON_CNCL, '') <> COALESCE(B.REASON_CNCL, '') "
            "OR (A.CNCL_ON IS NULL) <> (B.CNCL_ON IS NULL) OR A.CNCL_ON <> B.CNCL_ON) "
            "ORDER BY A.DOC_CODE, A.DOC_NO"));
    QSqlQuery q = db.exec(sql, values);
    while (q.next())
        problems << QStringLiteral("%1/%2 %3: its rows were cancelled apart")
                        .arg(q.value(0).toString(), q.value(1).toString(), numberText(q.value(2)));
}

// (l) A live booking in a status carries that status's eight lock flags, unless the status was
// changed after the booking took it (its flags are then those of the status as it was). A flag
// never set reads as 'N'.
void bookingLocksOfStatus(Database& db, QStringList& problems) {
    QStringList differs;
    for (const char* flag : {"LCK_LEAD", "LCK_QUOT", "LCK_MONEYRCPT", "LCK_ANCP01", "LCK_ANCP02", "LCK_ANCP03",
                             "LCK_PAYMENT", "LCK_CBPT"})
        differs << QStringLiteral("COALESCE(B.%1, 'N') <> COALESCE(S.%1, 'N')").arg(QLatin1String(flag));
    QSqlQuery q = db.exec(
        withStatuses(QStringLiteral("SELECT B.DOC_NO, S.CBPT_STATUS FROM M_TBL_TRANSACTION B JOIN M_TBL_CBPT_STATUS S "
                       "ON S.CBPTSTATUS_CODE = B.CBPTSTATUS_CODE WHERE B.DOC_CODE = 'CBPT01' "
                       "AND COALESCE(B.DOC_STATUS, '') <> {CANCELLED} AND (S.UPDATE_ON IS NULL OR B.LCK_UPDATEON IS NULL "
                       "OR S.UPDATE_ON <= B.LCK_UPDATEON) AND (%1) ORDER BY B.DOC_NO"))
            .arg(differs.join(QLatin1String(" OR "))));
    while (q.next())
        problems << QStringLiteral("CBPT01 %1: its lock flags are not those of its status %2")
                        .arg(numberText(q.value(0)), q.value(1).toString().trimmed());
}

// (m) The lead's LCK_LEAD and the quotation's LCK_QUOT are the live booking's.
void leadAndQuotationLocks(Database& db, QStringList& problems) {
    QSqlQuery q = db.exec(withStatuses(QStringLiteral(
        "SELECT B.DOC_NO, 'BLFC01', L.DOC_NO FROM M_TBL_TRANSACTION B JOIN M_TBL_TRANSACTION L "
        "ON L.DOC_CODE = 'BLFC01' AND L.DOC_NO = B.LEAD_NO WHERE B.DOC_CODE = 'CBPT01' "
        "AND COALESCE(B.DOC_STATUS, '') <> {CANCELLED} AND COALESCE(L.LCK_LEAD, 'N') <> COALESCE(B.LCK_LEAD, 'N') "
        "UNION ALL SELECT B.DOC_NO, 'QGBL01', Q.DOC_NO FROM M_TBL_TRANSACTION B JOIN M_TBL_QUOTATION Q "
        "ON Q.DOC_CODE = 'QGBL01' AND Q.DOC_NO = B.QUOTATION_NO WHERE B.DOC_CODE = 'CBPT01' "
        "AND COALESCE(B.DOC_STATUS, '') <> {CANCELLED} AND COALESCE(Q.LCK_QUOT, 'N') <> COALESCE(B.LCK_QUOT, 'N') "
        "ORDER BY 1, 2")));
    while (q.next())
        problems << QStringLiteral("%1 %2: its lock flag differs from its booking CBPT01 %3")
                        .arg(q.value(1).toString(), numberText(q.value(2)), numberText(q.value(0)));
}

// A single window service pair: each row names the other, and both share a status (a pair
// is cancelled whole). Plain ANCP08/ANDP08 notes name no partner and are left alone.
void servicePairs(Database& db, QStringList& problems) {
    QSqlQuery q = db.exec(QStringLiteral(
        "SELECT a.DOC_CODE, a.DOC_NO, a.IN_DOCCODE, a.IN_DOCNO, c.DOC_NO, c.IN_DOCCODE, c.IN_DOCNO, a.DOC_STATUS, "
        "c.DOC_STATUS FROM M_TBL_TRANSACTION a "
        "LEFT JOIN M_TBL_TRANSACTION c ON c.DOC_CODE = a.IN_DOCCODE AND c.DOC_NO = a.IN_DOCNO "
        "WHERE ((a.DOC_CODE = 'ANDP08' AND a.IN_DOCCODE = 'ANCP08') OR (a.DOC_CODE = 'ANCP08' AND a.IN_DOCCODE = "
        "'ANDP08')) AND (c.DOC_NO IS NULL OR COALESCE(c.IN_DOCCODE, '') <> a.DOC_CODE "
        "OR COALESCE(c.IN_DOCNO, -1) <> a.DOC_NO "
        "OR (a.DOC_CODE = 'ANDP08' AND COALESCE(c.DOC_STATUS, '') <> COALESCE(a.DOC_STATUS, ''))) "
        "ORDER BY a.DOC_CODE, a.DOC_NO"));
    while (q.next()) {
        const QString self = q.value(0).toString() + QLatin1Char(' ') + numberText(q.value(1));
        const QString partner = q.value(2).toString() + QLatin1Char(' ') + numberText(q.value(3));
        if (q.value(4).isNull())
            problems << QStringLiteral("%1: its single window partner %2 is missing").arg(self, partner);
        else if (q.value(5).toString() != q.value(0).toString() || q.value(6).toLongLong() != q.value(1).toLongLong())
            problems << QStringLiteral("%1: its single window partner %2 names %3 %4 instead")
                            .arg(self, partner, q.value(5).toString(), numberText(q.value(6)));
        else
            problems << QStringLiteral("%1 is %2, but its single window partner %3 is %4")
                            .arg(self, q.value(7).toString().trimmed(), partner, q.value(8).toString().trimmed());
    }
}

// (l) An invoice's total is the sum of its lines, its taxable amount, taxes and grand total
// follow from it as the invoice computes them, and it charges either IGST or CGST and SGST,
// never both. A line doubled under its key is named by the key check and counts once here.
void invoiceTotals(Database& db, QStringList& problems) {
    // Summed in whole paise: SQLite's driver reads a sum of whole amounts in 32 bits.
    QSqlQuery q =
        db.exec(QStringLiteral(
                    "SELECT H.DOC_CODE, H.DOC_NO, H.TOTAL_AMOUNT, H.DISC_AMT, H.TAXIBLE_AMT, H.CGST_PER, H.CGST_AMT, "
                    "H.SGST_PER, "
                    "H.SGST_AMT, H.IGST_PER, H.IGST_AMT, H.TAX_AMT, H.GRAND_TOTAL, "
                    "(SELECT %1 FROM (SELECT L.IN_DOCCODE, L.IN_DOCNO, L.INV_DETSLNO, MAX(L.INV_AMT) "
                    "AS R_AMT FROM M_TBL_TRANSACTION L WHERE L.DOC_CODE IN ('INV002', 'INV007') "
                    "GROUP BY L.IN_DOCCODE, L.IN_DOCNO, L.INV_DETSLNO) D WHERE D.IN_DOCCODE = H.DOC_CODE AND "
                    "D.IN_DOCNO = H.DOC_NO) "
                    "FROM M_TBL_TRANSACTION H WHERE H.DOC_CODE IN ('INV001', 'INV006') ORDER BY H.DOC_CODE, H.DOC_NO")
                    .arg(exactSum(QStringLiteral("D.R_AMT"))));
    while (q.next()) {
        const auto m = [&](int i) { return Money::fromVariant(q.value(i)); };
        const QString ref = q.value(0).toString() + QLatin1Char(' ') + numberText(q.value(1));
        const Money total = m(2), lines = m(13);
        if (total != lines)
            problems << QStringLiteral("%1: total %2 but its lines sum to %3").arg(ref, total.toString(), lines.toString());
        const InvoiceFigures f = calcTotal({total}, m(3), {m(5), m(7), m(9)}, Money());
        const bool both = !(m(6).isZero() && m(8).isZero()) && !m(10).isZero();
        if (f.taxable != m(4) || f.cgst != m(6) || f.sgst != m(8) || f.igst != m(10) || f.tax != m(11) ||
            f.grand != m(12))
            problems << QStringLiteral("%1: grand total %2 does not follow from total %3, discount %4 and its rates (%5 expected)")
                            .arg(ref, m(12).toString(), total.toString(), m(3).toString(), f.grand.toString());
        if (both)
            problems << QStringLiteral("%1: charges IGST and CGST/SGST together").arg(ref);
    }
}

// (l) Each row's amount on the side its kind says (a pair's second row on the other side), and
// TO_ACC as the kind's rule fixes it. mismatchedPairs sees a pair whose two rows mirror each
// other but are both the wrong way round only here.
void sidesAndAccounts(Database& db, QStringList& problems) {
    QStringList rows;
    QVariantList values;
    const auto add = [&](const char* code, AmountSide side, const DocumentKind& k) {
        const char* flag = side == AmountSide::Debit ? "D" : side == AmountSide::Credit ? "C" : "-";
        rows << QStringLiteral("(?, ?, ?)");
        values << QString::fromLatin1(code) << QString::fromLatin1(flag)
               << (k.account == AccountRule::OwnCode || k.account == AccountRule::FirstCode
                       ? accountOf(k, QString::fromLatin1(code))
                       : QStringLiteral("-"));
    };
    for (const DocumentKind& k : documentKinds()) {
        const AmountSide mirror = k.side == AmountSide::Debit    ? AmountSide::Credit
                                  : k.side == AmountSide::Credit ? AmountSide::Debit
                                                                 : AmountSide::None;
        add(k.code, k.side, k);
        if (k.pairCode)
            add(k.pairCode, mirror, k);
    }
    // "-" (no code) where the rule leaves TO_ACC to the caller.
    QSqlQuery q =
        db.exec(QStringLiteral("WITH K (CODE, SIDE, ACC) AS (VALUES %1) "
                               "SELECT T.DOC_CODE, T.DOC_NO, T.IN_DOCNO, K.SIDE, K.ACC, T.TO_ACC, T.DB_AMT, T.CR_AMT "
                               "FROM K JOIN M_TBL_TRANSACTION T ON T.DOC_CODE = K.CODE "
                               "WHERE (K.SIDE = 'D' AND ABS(COALESCE(T.CR_AMT, 0)) >= 0.005) "
                               "OR (K.SIDE = 'C' AND ABS(COALESCE(T.DB_AMT, 0)) >= 0.005) "
                               "OR (K.ACC <> '-' AND COALESCE(T.TO_ACC, '') <> K.ACC) "
                               "ORDER BY T.DOC_CODE, T.DOC_NO, T.IN_DOCNO")
                    .arg(rows.join(QStringLiteral(", "))),
                values);
    while (q.next()) {
        QString ref = q.value(0).toString() + QLatin1Char(' ') + numberText(q.value(1));
        if (!q.value(2).isNull() && q.value(0).toString() != QLatin1String(kBookingCode))
            ref += QStringLiteral(" (IN_DOCNO %1)").arg(q.value(2).toLongLong());
        const QString side = q.value(3).toString();
        const QString account = q.value(4).toString() == QLatin1String("-") ? QString() : q.value(4).toString();
        const Money debit = Money::fromVariant(q.value(6)), credit = Money::fromVariant(q.value(7));
        if ((side == QLatin1String("D") && !credit.isZero()) || (side == QLatin1String("C") && !debit.isZero()))
            problems << QStringLiteral("%1: its amount belongs on the %2 side (DB %3 CR %4)")
                            .arg(ref, side == QLatin1String("D") ? QStringLiteral("debit") : QStringLiteral("credit"),
                                 debit.toString(), credit.toString());
        if (!account.isEmpty() && q.value(5).toString().trimmed() != account)
            problems << QStringLiteral("%1: TO_ACC is %2, not %3")
                            .arg(ref, q.value(5).isNull() ? QStringLiteral("empty") : q.value(5).toString(), account);
    }
}

// (g) A posting spread over bookings under one number (a paired kind keyed by booking: the
// bulk receipt or payment) totals what its pairs post: the line amounts its first rows carry
// (GRAND_TOTAL) add up to the amounts those rows put on their side. Each pair's mirror row is
// checked against its first row above, so only the first rows are summed here.
void bulkPostingTotals(Database& db, QStringList& problems) {
    QVariantList codes;
    QStringList cases;
    for (const DocumentKind& k : documentKinds()) {
        if (!k.keyedByBooking || !k.pairCode || (k.side != AmountSide::Debit && k.side != AmountSide::Credit))
            continue;
        codes << QString::fromLatin1(k.code);
        cases << (k.side == AmountSide::Debit ? QStringLiteral("WHEN ? THEN COALESCE(DB_AMT, 0)")
                                              : QStringLiteral("WHEN ? THEN COALESCE(CR_AMT, 0)"));
    }
    if (cases.isEmpty())
        return;
    QSqlQuery q =
        db.exec(QStringLiteral("SELECT DOC_CODE AS R_CODE, DOC_NO AS R_NO, COALESCE(SUM(GRAND_TOTAL), 0) AS R_TOTAL, "
                               "SUM(CASE DOC_CODE %1 END) AS R_POSTED FROM M_TBL_TRANSACTION "
                               "WHERE DOC_CODE IN (%2) GROUP BY DOC_CODE, DOC_NO "
                               "HAVING ABS(COALESCE(SUM(GRAND_TOTAL), 0) - SUM(CASE DOC_CODE %1 END)) >= 0.005 "
                               "ORDER BY DOC_CODE, DOC_NO")
                    .arg(cases.join(QLatin1Char(' ')), TransactionRecords::placeholders(codes.size())),
                codes + codes + codes);  // the cases, the list, the cases again
    while (q.next())
        problems << QStringLiteral("%1 %2: total %3 but its pairs post %4")
                        .arg(q.value(0).toString(), numberText(q.value(1)), Money::fromVariant(q.value(2)).toString(),
                             Money::fromVariant(q.value(3)).toString());
}

// (m) No stored amount (nor rate or percentage) lies beyond the largest amount: one that does
// no longer reads back exactly on SQLite, and no total over it can be trusted. Every decimal
// column of every table, each row named by its first two columns.
void amountsBeyondLimit(Database& db, QStringList& problems) {
    for (const TableInfo& t : schemaTables(db)) {
        QStringList decimals, beyond;
        QVariantList values;
        for (const ColumnInfo& c : t.columns)
            if (c.kind == ValueKind::Decimal) {
                decimals << c.name;
                beyond << QStringLiteral("ABS(%1) >= ?").arg(c.name);
                values << Money::beyondLargest().roundedRupees();
            }
        if (decimals.isEmpty() || t.columns.size() < 2)
            continue;
        QSqlQuery q = db.exec(QStringLiteral("SELECT %1, %2, %3 FROM %4 WHERE %5")
                                  .arg(t.columns[0].name, t.columns[1].name, decimals.join(QStringLiteral(", ")),
                                       t.name, beyond.join(QStringLiteral(" OR "))),
                              values);
        while (q.next())
            for (int i = 0; i < decimals.size(); ++i) {
                const Money::Reading m = Money::read(q.value(2 + i));
                if (m.kind == Money::Reading::Kind::TooLarge)
                    problems << QStringLiteral("%1 %2 %3: %4 %5 is beyond the largest amount %6")
                                    .arg(t.label(), q.value(0).toString().trimmed(), q.value(1).toString().trimmed(),
                                         decimals[i].toUpper(), m.value.toString(), Money::largest().toString());
            }
    }
}

// (n) A text longer than its column's declared length. SQLite keeps it whole where the server
// refuses it, so that a move of the books would fail on it; the server itself holds none.
void textsLongerThanColumns(Database& db, QStringList& problems) {
    if (!db.dialect().isSqlite())
        return;
    constexpr int kRowsPerTable = 20;  // enough to find them; the count says how many more
    for (const TableInfo& t : schemaTables(db)) {
        std::vector<const ColumnInfo*> texts;
        QStringList over, lengths, key;
        for (const ColumnInfo& c : t.columns)
            if (c.kind == ValueKind::Text && c.length > 0) {
                texts.push_back(&c);
                over << QStringLiteral("LENGTH(\"%1\") > %2").arg(c.name).arg(c.length);
                lengths << QStringLiteral("LENGTH(\"%1\")").arg(c.name);
            }
        if (texts.empty())
            continue;
        const QStringList keyColumns = t.keyColumns();
        for (const QString& k : keyColumns)
            key << QStringLiteral("CAST(\"%1\" AS TEXT)").arg(k);
        const QString where = over.join(QStringLiteral(" OR "));
        QSqlQuery q = db.exec(QStringLiteral("SELECT %1, %2 FROM \"%3\" WHERE %4 LIMIT %5")
                                  .arg(key.join(QStringLiteral(", ")), lengths.join(QStringLiteral(", ")), t.name,
                                       where)
                                  .arg(kRowsPerTable));
        const int n = int(keyColumns.size());
        int listed = 0;
        while (q.next()) {
            ++listed;
            QStringList values;
            for (int i = 0; i < n; ++i)
                values << (q.isNull(i) ? QString() : q.value(i).toString());
            for (size_t c = 0; c < texts.size(); ++c)
                if (const int length = q.value(n + int(c)).toInt(); length > texts[c]->length)
                    problems << QStringLiteral("%1 %2: %3 holds %4 characters, its column %5")
                                    .arg(t.label(), rowKeyText(keyColumns, values), texts[c]->name.toUpper())
                                    .arg(length)
                                    .arg(texts[c]->length);
        }
        q = QSqlQuery();
        if (listed == kRowsPerTable) {
            const qint64 all =
                db.scalar(QStringLiteral("SELECT COUNT(*) FROM \"%1\" WHERE %2").arg(t.name, where)).toLongLong();
            if (all > listed)
                problems << QStringLiteral("%1: %2 more row(s) with texts longer than their columns")
                                .arg(t.label())
                                .arg(all - listed);
        }
    }
}

// (o) A booking's instalments sum to the grand total they were made for, every one of them
// made for the same. A booking re-priced since is no fault of the books: the board shows it.
void scheduleTotals(Database& db, QStringList& problems) {
    QSqlQuery q = db.exec(withStatuses(QStringLiteral(
                              "SELECT I.CBPT_NO, MIN(I.MADE_FOR), MAX(I.MADE_FOR), %1 FROM M_TBL_BOOKING_INSTALMENT I "
                              "WHERE COALESCE(I.DOC_STATUS, '') <> {CANCELLED} GROUP BY I.CBPT_NO ORDER BY I.CBPT_NO"))
                              .arg(exactSum(QStringLiteral("I.INST_AMT"))));
    while (q.next()) {
        const Money low = Money::fromVariant(q.value(1));
        const Money high = Money::fromVariant(q.value(2));
        const Money sum = Money::fromVariant(q.value(3));
        if (low != high || sum != high)
            problems << QStringLiteral("CBPT01 %1: its instalments sum to %2 but were made for a grand total of %3")
                            .arg(numberText(q.value(0)), sum.toString(), high.toString());
    }
}

// (p) Money is applied to instalments oldest first, each taking at most its own amount, so
// what is applied never exceeds what it settles as long as every instalment is above zero.
// Money received beyond a schedule stays unapplied: an advance, not a fault.
void instalmentsAboveZero(Database& db, QStringList& problems) {
    QSqlQuery q = db.exec(withStatuses(QStringLiteral(
        "SELECT CBPT_NO, LINE_NO, INST_AMT FROM M_TBL_BOOKING_INSTALMENT WHERE COALESCE(DOC_STATUS, '') <> "
        "{CANCELLED} ORDER BY CBPT_NO, LINE_NO")));
    while (q.next())
        if (Money::fromVariant(q.value(2)) <= Money())
            problems << QStringLiteral("CBPT01 %1: instalment %2 of %3 is not above zero")
                            .arg(numberText(q.value(0)), numberText(q.value(1)),
                                 Money::fromVariant(q.value(2)).toString());
}

// (q) A cancelled booking leaves nothing due: its instalments are cancelled with it.
void instalmentsOfCancelled(Database& db, QStringList& problems) {
    QSqlQuery q = db.exec(withStatuses(QStringLiteral(
        "SELECT I.CBPT_NO, I.LINE_NO FROM M_TBL_BOOKING_INSTALMENT I JOIN M_TBL_TRANSACTION B ON "
        "B.DOC_CODE = 'CBPT01' AND B.DOC_NO = I.CBPT_NO WHERE B.DOC_STATUS = {CANCELLED} AND "
        "COALESCE(I.DOC_STATUS, '') <> {CANCELLED} ORDER BY I.CBPT_NO, I.LINE_NO")));
    while (q.next())
        problems << QStringLiteral("CBPT01 %1: cancelled, but its instalment %2 is still due")
                        .arg(numberText(q.value(0)), numberText(q.value(1)));
}

}  // namespace

BooksReport checkBooks(Database& db) {
    // Each check is one statement, and a statement sees a document save whole or not at all
    // on both engines; so no transaction (and no write lock) is taken while the books are
    // read, and workstations may go on saving.
    BooksReport report;
    missingPartners(db, report.problems);
    mismatchedPairs(db, report.problems);
    duplicateKeys(db, report.problems);
    countersBehind(db, report.problems);
    quotationTotals(db, report.problems);
    quotationDays(db, report.problems);
    dayRowStatuses(db, report.problems);
    quotationCounters(db, report.problems);
    bookingsOfQuotations(db, report.problems);
    postedOnCancelled(db, report.problems);
    cancelColumns(db, report.problems);
    sidesAndAccounts(db, report.problems);
    pairCancelColumns(db, report.problems);
    bookingLocksOfStatus(db, report.problems);
    leadAndQuotationLocks(db, report.problems);
    servicePairs(db, report.problems);
    invoiceTotals(db, report.problems);
    bulkPostingTotals(db, report.problems);
    amountsBeyondLimit(db, report.problems);
    textsLongerThanColumns(db, report.problems);
    scheduleTotals(db, report.problems);
    instalmentsAboveZero(db, report.problems);
    instalmentsOfCancelled(db, report.problems);
    // (r) The sums the board narrows by are those of the documents.
    report.problems << dueBalanceFaults(db);
    return report;
}

}  // namespace tarvic
