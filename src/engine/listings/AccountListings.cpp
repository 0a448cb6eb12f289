#include "AccountListings.h"

#include "data/DocumentStatus.h"
#include "data/Moments.h"

namespace tarvic::listings {

namespace {

QString s(const char* text) {
    return QString::fromLatin1(text);
}

}  // namespace

QList<GridQuery> creditDebit(const QStringList& codes, const QDate& from, const QDate& to) {
    const QString sums =
        ledger::debitCreditSums(s("a.DB_AMT"), s("a.CR_AMT"), {s("DB_AMOUNT"), s("CR_AMOUNT"), s("BAL_AMOUNT")});
    // A row whose account or bank has no name still counts: both are outer-joined.
    auto statement = [&](const char* join, bool dated) {
        QVariantList values;
        QString sql = s("SELECT {columns} FROM M_TBL_TRANSACTION a ") + s(join) + s(" WHERE ") +
                      ledger::inList(s("a.DOC_CODE"), codes, values) + s(" AND ") + sql::live(s("a"));
        if (dated)
            sql += s(" AND ") + dayRangeCondition(s("a.DOC_DATE"), from, to, values);
        return ListQuery{sql, values};
    };
    const char* accounts = "LEFT JOIN M_TBL_DOCUMENTACCOUNT_COMB b ON a.DOC_CODE=b.DOC_CODE AND a.TO_ACC=b.ACC_CODE";
    const char* banks = "LEFT JOIN MST_BANK b ON a.TO_BANKID=b.BANK_ID";
    return {{s("a.DOC_CODE, b.ACCOUNT_DESC, ") + sums, s("a.DOC_CODE, b.ACCOUNT_DESC"), s("a.DOC_CODE, b.ACCOUNT_DESC"),
             statement(accounts, true)},
            {s("b.BANK_NAME, a.DOC_STATUS, ") + sums, s("a.DOC_STATUS, a.TO_BANKID, b.BANK_NAME"),
             s("a.DOC_STATUS, b.BANK_NAME, a.TO_BANKID"), statement(banks, true)},
            {s("b.BANK_NAME, ") + sums, s("a.TO_BANKID, b.BANK_NAME"), s("b.BANK_NAME, a.TO_BANKID"),
             statement(banks, false)},
            {sums, {}, {}, statement("", false)}};
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

QList<GridQuery> profitAndLossByTour(const QDate& from, const QDate& to) {
    // The money of each booking: what came in against what went out. The booking, its
    // quotation and its journey date decide the line; lead, consultant and itinerary are
    // look-ups, outer-joined.
    QVariantList values;
    const QStringList sums{s("TOTL_DB"), s("TOTL_CR"), s("BALANCE")};
    QString lines = s("SELECT b.DOC_NO AS CBPT_NO, c.JOURNEY_STRTDT AS TOUR_DT, d.PARTY_NAME, c.LEAD_NO, "
                      "c.DOC_NO AS QUOT_NO, e.TOURIST_NAME, f.CONSULTANT_NAME, g.ITN_NAME, ") +
                    ledger::debitCreditSums(s("a.DB_AMT"), s("a.CR_AMT"), sums) +
                    s(" FROM M_TBL_TRANSACTION a "
                      "JOIN M_TBL_TRANSACTION b ON b.DOC_CODE=a.IN_DOCCODE AND b.DOC_NO=a.IN_DOCNO "
                      "JOIN M_TBL_QUOTATION c ON c.DOC_CODE='QGBL01' AND c.DOC_NO=b.QUOTATION_NO "
                      "LEFT JOIN M_TBL_PARTY d ON d.PARTY_CODE=b.PARTY_CODE "
                      "LEFT JOIN M_TBL_TRANSACTION e ON e.DOC_CODE='BLFC01' AND e.DOC_NO=c.LEAD_NO "
                      "LEFT JOIN M_TBL_CONSULTANT f ON f.CONSULTANT_CODE=e.CONSULTANT_CODE "
                      "LEFT JOIN M_TBL_ITINERARY_HEADER g ON g.ITN_DOCNO=c.ITINERARY_NO WHERE ");
    lines += dayRangeCondition(s("c.JOURNEY_STRTDT"), from, to, values);
    lines += s(" AND ") + ledger::inList(s("a.DOC_CODE"), {s("FRDB01"), s("FTCR01")}, values) + s(" AND ") +
             sql::live(s("a")) +
             s(" AND a.IN_DOCCODE='CBPT01' GROUP BY b.DOC_NO, c.JOURNEY_STRTDT, "
               "d.PARTY_NAME, c.LEAD_NO, c.DOC_NO, e.TOURIST_NAME, f.CONSULTANT_NAME, g.ITN_NAME");
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
