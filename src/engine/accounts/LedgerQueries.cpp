#include "LedgerQueries.h"

#include "data/Moments.h"
#include "data/TransactionRecords.h"
#include "engine/Aging.h"
#include "engine/DocumentState.h"

namespace tarvic::ledger {

namespace {

// What an entry does to the running balance as it is walked back: its credit comes back,
// or else its debit goes.
const QString kUndo = QStringLiteral(
    "CASE WHEN COALESCE(a.CR_AMT,0) <> 0 THEN a.CR_AMT WHEN COALESCE(a.DB_AMT,0) <> 0 THEN -a.DB_AMT ELSE 0 END");
// Newest first; the key's columns last, so that the order is total and pages never overlap.
const QString kWalk = QStringLiteral(
    "a.DOC_DATE DESC, a.DOC_NO DESC, a.DOC_CODE DESC, COALESCE(a.IN_DOCNO,-1) DESC, COALESCE(a.INV_DETSLNO,-1) DESC");

QString partyRows(const LedgerRange& r, QVariantList& values) {
    return QStringLiteral("FROM M_TBL_TRANSACTION a WHERE ") + inList(QStringLiteral("a.DOC_CODE"), r.codes, values) +
           QStringLiteral(" AND a.PARTY_CODE=? AND ") + sql::live(QStringLiteral("a"));
}

}  // namespace

QString inList(const QString& column, const QStringList& codes, QVariantList& values) {
    if (codes.isEmpty())
        return QStringLiteral("1=0");
    for (const QString& c : codes)
        values << c;
    return column + QStringLiteral(" IN (") + TransactionRecords::placeholders(codes.size()) + QLatin1Char(')');
}

QString paise(const QString& expression) {
    return QStringLiteral("ROUND(%1, 2)").arg(expression);
}

// The running balance is carried in whole paise (OP_PAISE) and shown in rupees.
const QString kEntrySelect =
    QStringLiteral("x.*, ") + rupeesOf(QStringLiteral("x.OP_PAISE")) + QStringLiteral(" AS OP_BALANCE, ") +
    rupeesOf(QStringLiteral("x.OP_PAISE - ROUND((CASE WHEN x.CR_AMT <> 0 THEN x.CR_AMT WHEN x.DB_AMT <> 0 THEN "
                            "-x.DB_AMT ELSE 0 END) * 100)")) +
    QStringLiteral(" AS CL_BALANCE");
const QString kEntryOrder =
    QStringLiteral("x.DOC_DATE DESC, x.DOC_NO DESC, x.DOC_CODE DESC, x.K_IN DESC, x.K_LINE DESC");
const QString kTotalsSelect =
    debitCreditSums(QStringLiteral("a.DB_AMT"), QStringLiteral("a.CR_AMT"),
                    {QStringLiteral("DB_AMT"), QStringLiteral("CR_AMT"), QStringLiteral("GRAND_TOTAL")});

ListQuery entries(const LedgerRange& r) {
    // Every entry up to the to-date takes part in the running balance (the closing balance
    // includes what came before the from-date); only the period's entries are listed.
    QVariantList values;
    const DayRange days = dayRange(r.from, r.to);
    QString sql = QStringLiteral(
                      "SELECT {columns} FROM (SELECT a.DOC_CODE, a.DOC_DATE, a.DOC_NO, a.DOC_DESC, a.CREATED_ON, "
                      "a.CREATED_BY, COALESCE(a.IN_DOCNO,-1) AS K_IN, COALESCE(a.INV_DETSLNO,-1) AS K_LINE, "
                      "COALESCE(a.DB_AMT,0) * 1.0 AS DB_AMT, COALESCE(a.CR_AMT,0) * 1.0 AS CR_AMT, %1 + %2 "
                      "AS OP_PAISE ")
                      .arg(paiseSumOver(QStringLiteral("COALESCE(a.DB_AMT,0) - COALESCE(a.CR_AMT,0)"), QString()),
                           paiseSumOver(kUndo, QStringLiteral("ORDER BY %1 ROWS UNBOUNDED PRECEDING").arg(kWalk))) +
                  partyRows(r, values) + QStringLiteral(" AND a.DOC_DATE < ?) x WHERE x.DOC_DATE >= ?");
    values << r.party << days.before << days.from;
    return {sql, values};
}

ListQuery ledgerTotals(const LedgerRange& r, bool periodOnly) {
    QVariantList values;
    const DayRange days = dayRange(r.from, r.to);
    QString sql = QStringLiteral("SELECT {columns} ") + partyRows(r, values) + QStringLiteral(" AND a.DOC_DATE < ?");
    values << r.party << days.before;
    if (periodOnly) {
        sql += QStringLiteral(" AND a.DOC_DATE >= ?");
        values << days.from;
    }
    return {sql, values};
}

QString debitCreditSums(const QString& debit, const QString& credit, const QStringList& as) {
    return exactSum(debit) + QStringLiteral(" AS ") + as.value(0) + QStringLiteral(", ") + exactSum(credit) +
           QStringLiteral(" AS ") + as.value(1) + QStringLiteral(", ") + exactSum(debit, credit) +
           QStringLiteral(" AS ") + as.value(2);
}

QString sumsOf(const QString& prefix, const QStringList& columns) {
    QStringList sums;
    for (const QString& c : columns)
        sums << exactSum(prefix + QLatin1Char('.') + c) + QStringLiteral(" AS ") + c;
    return sums.join(QStringLiteral(", "));
}

Outstanding outstanding(const Dialect& dialect, const QString& list, const QStringList& codes, const QString& side,
                        bool creditFirst, const std::optional<QDate>& agedOn) {
    Outstanding o;
    // The parties on the asked side, and their sums, are kept per list (M_TBL_PARTY_BALANCE):
    // read by the side's index, not summed from every posting of the books. Only they meet
    // their names, types and ages.
    const QString onSide =
        side == QLatin1String("CR") ? QStringLiteral("p.BAL_PAISE < 0") : QStringLiteral("p.BAL_PAISE > 0");
    const QString sums = QStringLiteral(
                             "SELECT p.PARTY_CODE, %1 AS TOTL_DB, %2 AS TOTL_CR, %3 AS PARTY_BALANCE "
                             "FROM M_TBL_PARTY_BALANCE p WHERE p.LIST_CODE=? AND %4")
                             .arg(rupeesOf(QStringLiteral("p.DB_PAISE")), rupeesOf(QStringLiteral("p.CR_PAISE")),
                                  rupeesOf(QStringLiteral("p.BAL_PAISE")), onSide);
    QVariantList values{list};
    o.select = QStringLiteral("s.PARTY_CODE, b.PARTY_NAME, c.PARTY_TYPE, s.TOTL_DB, s.TOTL_CR, s.PARTY_BALANCE");
    // A party without a type is still listed: the type is a look-up.
    const QString listed =
        QStringLiteral("FROM (") + sums + QStringLiteral(") s JOIN M_TBL_PARTY b ON s.PARTY_CODE=b.PARTY_CODE ");
    QString from = listed + QStringLiteral("LEFT JOIN M_TBL_PARTYTYPE c ON b.PARTYTYPE_CODE=c.PARTYTYPE_CODE ");
    // The ages change no line's count: the lines are counted without them.
    o.query.countStatement = QStringLiteral("SELECT COUNT(*) ") + listed;
    o.query.countValues = values;
    QStringList totals{QStringLiteral("PARTY_BALANCE")};
    if (agedOn) {
        // One aged line per party of the side, joined: each bucket is a column of the party's line.
        from += QStringLiteral("LEFT JOIN (") +
                aging::agedByParty(codes, *agedOn, values, aging::DueItems::documentDates(),
                                   {QStringLiteral("SELECT p.PARTY_CODE FROM M_TBL_PARTY_BALANCE p "
                                                   "WHERE p.LIST_CODE=? AND ") +
                                        onSide,
                                    {list},
                                    dialect}) +
                QStringLiteral(") g ON g.PARTY_CODE=s.PARTY_CODE ");
        for (int k = 0; k < aging::kBuckets; ++k) {
            const QString column = QLatin1String(aging::bucketColumn(k));
            // Whole paise from the engine, shown in rupees.
            o.select +=
                QStringLiteral(", %1 AS %2").arg(rupeesOf(QStringLiteral("COALESCE(g.%1,0)").arg(column)), column);
            totals << column;
        }
    }
    // The credit list puts the largest credit first: the balance upside down, ties by party.
    o.orderBy = QStringLiteral("s.PARTY_BALANCE") + (creditFirst ? QString() : QStringLiteral(" DESC")) +
                QStringLiteral(", s.PARTY_CODE");
    o.query.statement = QStringLiteral("SELECT {columns} ") + from;
    o.query.values = values;
    if (agedOn) {
        o.totalsSelect = sumsOf(QStringLiteral("t"), totals);
        o.totals = linesOf(QStringLiteral("SELECT ") + o.select + QLatin1Char(' ') + from, values);
    }
    return o;
}

ListQuery linesOf(const QString& lineSql, const QVariantList& values) {
    return {QStringLiteral("SELECT {columns} FROM (%1) t").arg(lineSql), values};
}

QString profitOrLoss(Money balance) {
    return balance > Money() ? QStringLiteral("P") : QStringLiteral("L");
}

}  // namespace tarvic::ledger
