#include "AccountListings.h"

#include "data/DocumentStatus.h"
#include "data/Moments.h"

namespace tarvic::listings {

namespace {

QString s(const char* text) {
    return QString::fromLatin1(text);
}

}  // namespace

QList<GridQuery> creditDebit(const QString& list, const QStringList& codes, const QDate& from, const QDate& to) {
    const QStringList as{s("DB_AMOUNT"), s("CR_AMOUNT"), s("BAL_AMOUNT")};
    const QString sums = ledger::debitCreditSums(s("a.DB_AMT"), s("a.CR_AMT"), as);
    // The period's postings: a row whose account or bank has no name still counts, both
    // are outer-joined.
    auto dated = [&](const char* join) {
        // One statement each, in order: the values follow their places in the text.
        QVariantList values;
        QString sql = s("SELECT {columns} FROM M_TBL_TRANSACTION a ") + s(join) + s(" WHERE ");
        sql += ledger::inList(s("a.DOC_CODE"), codes, values) + s(" AND ") + sql::live(s("a"));
        sql += s(" AND ") + dayRangeCondition(s("a.DOC_DATE"), from, to, values);
        return ListQuery{sql, values};
    };
    // Of all time: the balances kept per bank over the list (bank 0: postings naming none).
    const QString keptSums = rupeesOf(s("COALESCE(SUM(k.DB_PAISE), 0)")) + s(" AS DB_AMOUNT, ") +
                             rupeesOf(s("COALESCE(SUM(k.CR_PAISE), 0)")) + s(" AS CR_AMOUNT, ") +
                             rupeesOf(s("COALESCE(SUM(k.BAL_PAISE), 0)")) + s(" AS BAL_AMOUNT");
    const ListQuery kept{s("SELECT {columns} FROM M_TBL_BANK_BALANCE k LEFT JOIN MST_BANK b ON k.BANK_ID=b.BANK_ID "
                           "WHERE k.LIST_CODE=? AND k.POSTINGS > 0"),
                         {list}};
    return {{s("a.DOC_CODE, b.ACCOUNT_DESC, ") + sums, s("a.DOC_CODE, b.ACCOUNT_DESC"), s("a.DOC_CODE, b.ACCOUNT_DESC"),
             dated("LEFT JOIN M_TBL_DOCUMENTACCOUNT_COMB b ON a.DOC_CODE=b.DOC_CODE AND a.TO_ACC=b.ACC_CODE")},
            {s("b.BANK_NAME, a.DOC_STATUS, ") + sums, s("a.DOC_STATUS, a.TO_BANKID, b.BANK_NAME"),
             s("a.DOC_STATUS, b.BANK_NAME, a.TO_BANKID"), dated("LEFT JOIN MST_BANK b ON a.TO_BANKID=b.BANK_ID")},
            {s("b.BANK_NAME, ") + keptSums, s("k.BANK_ID, b.BANK_NAME"), s("b.BANK_NAME, k.BANK_ID"), kept},
            {keptSums, {}, {}, kept}};
}

QList<GridQuery> bookingBalancesByConsultant(const QString& list, bool credit, std::optional<qint64> consultant) {
    const QStringList sums{s("TOTL_DB"), s("TOTL_CR"), s("PARTY_BALANCE")};
    // f: the bill party's balance within each booking, kept per list (M_TBL_BOOKING_BALANCE)
    // and read by its side's index; a: the booking's own row, live; c and g: its lead and
    // consultant, outer-joined so a booking without one still shows.
    QVariantList values{list};
    QString lines =
        s("SELECT a.DOC_DATE, a.DOC_NO AS CBPT_NO, c.CONSULTANT_CODE, g.CONSULTANT_NAME, p.PARTY_NAME, "
          "f.TOTL_DB, f.TOTL_CR, f.PARTY_BALANCE, a.QUOTATION_NO, a.LEAD_NO, a.START_DT, a.END_DT, a.TOUR_DAYS, "
          "a.TOURIST_NAME FROM (SELECT k.CBPT_NO, k.PARTY_CODE, ") +
        rupeesOf(s("k.DB_PAISE")) + s(" AS TOTL_DB, ") + rupeesOf(s("k.CR_PAISE")) + s(" AS TOTL_CR, ") +
        rupeesOf(s("k.BAL_PAISE")) + s(" AS PARTY_BALANCE FROM M_TBL_BOOKING_BALANCE k WHERE k.LIST_CODE=? AND ") +
        (credit ? s("k.BAL_PAISE < 0") : s("k.BAL_PAISE > 0")) +
        // The kept balances first, then their bookings by key: SQLite keeps a CROSS JOIN's
        // order, and without statistics read every booking to look its balance up.
        s(") f CROSS JOIN M_TBL_TRANSACTION a "
          "LEFT JOIN M_TBL_PARTY p ON p.PARTY_CODE=a.PARTY_CODE "
          "LEFT JOIN M_TBL_TRANSACTION c ON c.DOC_CODE='BLFC01' AND c.DOC_NO=a.LEAD_NO "
          "LEFT JOIN M_TBL_CONSULTANT g ON g.CONSULTANT_CODE=c.CONSULTANT_CODE "
          "WHERE a.DOC_CODE='CBPT01' AND a.DOC_NO=f.CBPT_NO AND a.PARTY_CODE=f.PARTY_CODE AND ") +
        sql::live(s("a"));
    if (consultant) {
        lines += s(" AND c.CONSULTANT_CODE=?");
        values << *consultant;
    }
    const ListQuery q = ledger::linesOf(lines, values);
    return {{s("t.*"), {}, s("t.DOC_DATE DESC, t.CBPT_NO DESC"), q},
            {s("t.CONSULTANT_CODE, t.CONSULTANT_NAME, ") + ledger::sumsOf(s("t"), sums),
             s("t.CONSULTANT_CODE, t.CONSULTANT_NAME"), s("t.CONSULTANT_NAME, t.CONSULTANT_CODE"), q}};
}

QList<GridQuery> profitAndLossByTour(const Dialect& dialect, const QDate& from, const QDate& to) {
    // The money of each booking, what came in against what went out, as kept per booking
    // (M_TBL_BOOKING_PL): one line each, the quotation's header being one per number. The
    // quotation's journey date decides the line: its quotations are read first by that date,
    // in the listing's order, so the first page stops early; then their bookings by quotation
    // and kept sums by key (SQLite keeps a CROSS JOIN's order; the booking's code is kept out
    // of its choice of index, or it would walk every booking for each quotation). Lead,
    // consultant and itinerary are look-ups, outer-joined.
    QVariantList values;
    const QStringList sums{s("TOTL_DB"), s("TOTL_CR"), s("BALANCE")};
    QString lines = s("SELECT b.DOC_NO AS CBPT_NO, c.JOURNEY_STRTDT AS TOUR_DT, d.PARTY_NAME, c.LEAD_NO, "
                      "c.DOC_NO AS QUOT_NO, e.TOURIST_NAME, f.CONSULTANT_NAME, g.ITN_NAME, ") +
                    rupeesOf(s("k.DB_PAISE")) + s(" AS TOTL_DB, ") + rupeesOf(s("k.CR_PAISE")) + s(" AS TOTL_CR, ") +
                    rupeesOf(s("k.BAL_PAISE")) +
                    s(" AS BALANCE FROM M_TBL_QUOTATION c "
                      "CROSS JOIN M_TBL_TRANSACTION b "
                      "CROSS JOIN M_TBL_BOOKING_PL k "
                      "LEFT JOIN M_TBL_PARTY d ON d.PARTY_CODE=b.PARTY_CODE "
                      "LEFT JOIN M_TBL_TRANSACTION e ON e.DOC_CODE='BLFC01' AND e.DOC_NO=c.LEAD_NO "
                      "LEFT JOIN M_TBL_CONSULTANT f ON f.CONSULTANT_CODE=e.CONSULTANT_CODE "
                      "LEFT JOIN M_TBL_ITINERARY_HEADER g ON g.ITN_DOCNO=c.ITINERARY_NO "
                      "WHERE c.DOC_CODE='QGBL01' AND ");
    lines += dayRangeCondition(s("c.JOURNEY_STRTDT"), from, to, values);
    lines += s(" AND b.QUOTATION_NO=c.DOC_NO AND ") + dialect.unindexed(s("b.DOC_CODE")) +
             s("='CBPT01' AND k.CBPT_NO=b.DOC_NO AND k.POSTINGS > 0");
    const ListQuery q = ledger::linesOf(lines, values);
    return {{s("t.*"), {}, s("t.TOUR_DT DESC, t.CBPT_NO"), q}, {ledger::sumsOf(s("t"), sums), {}, {}, q}};
}

QList<GridQuery> partyBookingBalances(const QStringList& codes, qint64 party) {
    // The booking's own row gives its date and bill party: outer-joined, so a line whose
    // booking is no longer live still shows its balance.
    const QStringList sums{s("TOTL_DB"), s("TOTL_CR"), s("PARTY_BALANCE")};
    QVariantList values;
    const QString lines =
        s("SELECT a.IN_DOCNO, k.DOC_DATE AS CBPT_DATE, k.PARTY_CODE AS BILL_PARTY, kp.PARTY_NAME AS BILL_NAME, ") +
        ledger::debitCreditSums(s("a.DB_AMT"), s("a.CR_AMT"), sums) +
        s(" FROM M_TBL_TRANSACTION a "
          "LEFT JOIN M_TBL_TRANSACTION k ON k.DOC_CODE='CBPT01' AND k.DOC_NO=a.IN_DOCNO AND ") +
        sql::live(s("k")) + s(" LEFT JOIN M_TBL_PARTY kp ON kp.PARTY_CODE=k.PARTY_CODE WHERE ") +
        ledger::inList(s("a.DOC_CODE"), codes, values) + s(" AND a.IN_DOCCODE='CBPT01' AND a.PARTY_CODE=? AND ") +
        sql::live(s("a")) + s(" GROUP BY a.IN_DOCNO, k.DOC_DATE, k.PARTY_CODE, kp.PARTY_NAME HAVING ") +
        ledger::paise(exactSum(s("a.DB_AMT"), s("a.CR_AMT"))) + s(" <> 0");
    values << party;
    const ListQuery q = ledger::linesOf(lines, values);
    return {{s("t.*"), {}, s("t.IN_DOCNO DESC"), q}, {ledger::sumsOf(s("t"), sums), {}, {}, q}};
}

QList<GridQuery> partyLedger(const ledger::LedgerRange& range) {
    return {{ledger::kEntrySelect, {}, ledger::kEntryOrder, ledger::entries(range)},
            {ledger::kTotalsSelect, {}, {}, ledger::ledgerTotals(range, false)},
            {ledger::kTotalsSelect, {}, {}, ledger::ledgerTotals(range, true)}};
}

QList<GridQuery> outstanding(const Dialect& dialect, const QString& list, const QStringList& codes, const QString& side,
                             bool creditFirst, const QDate& agedOn) {
    const ledger::Outstanding o = ledger::outstanding(dialect, list, codes, side, creditFirst, agedOn);
    return {{o.select, o.groupBy, o.orderBy, o.query}, {o.totalsSelect, {}, {}, o.totals}};
}

}  // namespace tarvic::listings
