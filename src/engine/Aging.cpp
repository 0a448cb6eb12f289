#include "Aging.h"

#include "data/TransactionRecords.h"
#include "engine/DocumentState.h"

#include <QMap>

#include <algorithm>

namespace tarvic::aging {

namespace {

constexpr const char* kColumns[kBuckets] = {"AGE_0_30", "AGE_31_60", "AGE_61_90", "AGE_OVER_90"};
constexpr const char* kCaptions[kBuckets] = {"0-30 DAYS", "31-60 DAYS", "61-90 DAYS", "OVER 90 DAYS"};
// Each bucket ends this many days before the as-of date.
constexpr int kBucketDays[kBuckets - 1] = {30, 60, 90};

// A whole number of paise from an amount column; exact on both engines (SQLite keeps the
// amount as a floating value, rounded to its paisa here).
QString paiseOf(const QString& column) {
    return QStringLiteral("CAST(ROUND(COALESCE(%1,0) * 100) AS BIGINT)").arg(column);
}

QString signOf(const QString& expression) {
    return QStringLiteral("(CASE WHEN %1 > 0 THEN 1 ELSE -1 END)").arg(expression);
}

}  // namespace

const char* bucketColumn(int bucket) {
    return kColumns[bucket];
}
QString bucketCaption(int bucket) {
    return QString::fromLatin1(kCaptions[bucket]);
}

DueItems DueItems::documentDates() {
    return {[](const QStringList& codes, QVariantList& values) {
        for (const QString& c : codes)
            values << c;
        values << status::kLive;
        return QStringLiteral(
                   "SELECT a.PARTY_CODE, a.DOC_DATE AS DUE_DATE, a.DOC_CODE AS K1, a.DOC_NO AS K2, "
                   "COALESCE(a.IN_DOCNO,-1) AS K3, COALESCE(a.INV_DETSLNO,-1) AS K4, ") +
               paiseOf(QStringLiteral("a.DB_AMT")) + QStringLiteral(" - ") + paiseOf(QStringLiteral("a.CR_AMT")) +
               QStringLiteral(" AS AMT_P FROM M_TBL_TRANSACTION a WHERE a.DOC_CODE IN (") +
               TransactionRecords::placeholders(codes.size()) +
               QStringLiteral(") AND a.DOC_STATUS=? AND a.PARTY_CODE IS NOT NULL");
    }};
}

QString agedByParty(const QStringList& codes, const QDate& asOf, QVariantList& values, const DueItems& items,
                    const Parties& among) {
    // The bucket of an open item by its due date, bounds bound as dates.
    QStringList sums;
    for (int b = 0; b < kBuckets; ++b) {
        QStringList conditions;
        if (b > 0) {
            conditions << QStringLiteral("o.DUE_DATE < ?");
            values << asOf.addDays(-kBucketDays[b - 1]);
        }
        if (b < kBuckets - 1) {
            conditions << QStringLiteral("o.DUE_DATE >= ?");
            values << asOf.addDays(-kBucketDays[b]);
        }
        sums << QStringLiteral("SUM(CASE WHEN %1 THEN o.OPEN_P ELSE 0 END) AS %2")
                    .arg(conditions.join(QStringLiteral(" AND ")), QLatin1String(kColumns[b]));
    }
    const QString walk = QStringLiteral(
        "SUM(ABS(i.AMT_P)) OVER (PARTITION BY i.PARTY_CODE ORDER BY i.DUE_DATE DESC, i.K1 DESC, i.K2 DESC, "
        "i.K3 DESC, i.K4 DESC ROWS UNBOUNDED PRECEDING)");
    QString sql = QStringLiteral("SELECT o.PARTY_CODE, ") + sums.join(QStringLiteral(", ")) +
                  QStringLiteral(
                      " FROM (SELECT w.PARTY_CODE, w.DUE_DATE, %1 * CASE WHEN w.LEFT_P >= w.ABS_P THEN w.ABS_P "
                      "WHEN w.LEFT_P > 0 THEN w.LEFT_P ELSE 0 END AS OPEN_P "
                      "FROM (SELECT i.PARTY_CODE, i.DUE_DATE, i.BAL_P, ABS(i.AMT_P) AS ABS_P, "
                      "ABS(i.BAL_P) - (%2 - ABS(i.AMT_P)) AS LEFT_P FROM (")
                      .arg(signOf(QStringLiteral("w.BAL_P")), walk);
    // What is left of the balance before an item decides how much of it is open: the items of
    // the balance's side, newest first. The balance rides on each item (one pass over the
    // items, not a second pass joined back).
    sql += QStringLiteral("SELECT v.*, SUM(v.AMT_P) OVER (PARTITION BY v.PARTY_CODE) AS BAL_P FROM (");
    sql += items.sql(codes, values);
    sql += QStringLiteral(") v");
    // The walk sums only the parties asked for: their items are read by party.
    if (!among.sql.isEmpty()) {
        sql += QStringLiteral(" WHERE ") + among.dialect.amongRows(QStringLiteral("v.PARTY_CODE"), among.sql);
        values << among.values;
    }
    sql += QStringLiteral(") i WHERE i.BAL_P <> 0 AND i.AMT_P <> 0 AND ") + signOf(QStringLiteral("i.AMT_P")) +
           QStringLiteral("=") + signOf(QStringLiteral("i.BAL_P")) + QStringLiteral(") w) o GROUP BY o.PARTY_CODE");
    return sql;
}

Money PartyAge::total() const {
    Money t;
    for (Money m : buckets)
        t += m;
    return t;
}

QList<PartyAge> agedBalances(Database& db, const QStringList& codes, const QDate& asOf, const DueItems& items) {
    QList<PartyAge> out;
    if (codes.isEmpty())
        return out;
    QVariantList values;
    const QString aged = agedByParty(codes, asOf, values, items);
    // Read as text: a whole number of paise may pass 32 bits, which SQLite's driver would cut.
    QStringList columns;
    for (const char* c : kColumns)
        columns << QStringLiteral("CAST(g.%1 AS VARCHAR(30))").arg(QLatin1String(c));
    QSqlQuery q = db.exec(QStringLiteral("SELECT g.PARTY_CODE, %1 FROM (%2) g ORDER BY g.PARTY_CODE")
                              .arg(columns.join(QStringLiteral(", ")), aged),
                          values);
    while (q.next()) {
        PartyAge a;
        a.party = q.value(0).toLongLong();
        for (int b = 0; b < kBuckets; ++b)
            a.buckets[size_t(b)] = Money::fromPaise(q.value(b + 1).toString().toLongLong());
        out << a;
    }
    return out;
}

QStringList checkBuckets(Database& db, const QDate& asOf, const DueItems& items) {
    QStringList problems;
    TransactionRecords records(db, {});
    for (const QString& list : {QStringLiteral("LDOP"), QStringLiteral("LDMA")}) {
        const QStringList codes = records.codeList(list);
        if (codes.isEmpty())
            continue;
        // The outstanding list's own balance per party, summed apart from the ageing.
        QVariantList values = QVariantList(codes.begin(), codes.end());
        values << status::kLive;
        // Rows of no party (a bank account's side) are on no list.
        QSqlQuery q =
            db.exec(QStringLiteral("SELECT a.PARTY_CODE, %1 FROM M_TBL_TRANSACTION a WHERE a.DOC_CODE IN (%2) "
                                   "AND a.DOC_STATUS=? AND a.PARTY_CODE IS NOT NULL GROUP BY a.PARTY_CODE")
                        .arg(db.dialect().balanceInPaise(QStringLiteral("a.DB_AMT"), QStringLiteral("a.CR_AMT")),
                             TransactionRecords::placeholders(codes.size())),
                    values);
        QMap<qint64, Money> balances;
        while (q.next())
            if (const qint64 p = q.value(1).toString().toLongLong(); p != 0)
                balances[q.value(0).toLongLong()] = Money::fromPaise(p);
        q.finish();
        QMap<qint64, Money> aged;
        for (const PartyAge& a : agedBalances(db, codes, asOf, items))
            aged[a.party] = a.total();
        QList<qint64> parties = balances.keys() + aged.keys();
        std::sort(parties.begin(), parties.end());
        parties.erase(std::unique(parties.begin(), parties.end()), parties.end());
        for (qint64 p : parties)
            if (balances.value(p) != aged.value(p))
                problems << QStringLiteral("%1 party %2: aged buckets add up to %3, its outstanding balance is %4")
                                .arg(list)
                                .arg(p)
                                .arg(aged.value(p).toString(), balances.value(p).toString());
    }
    return problems;
}

}  // namespace tarvic::aging
