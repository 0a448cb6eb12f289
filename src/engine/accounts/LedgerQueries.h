#pragma once
// The statements behind the ledgers and outstanding lists, written once for the windows and
// the benchmarks. Balances are summed, not stored (but for the outstanding lists', kept per
// party): each figure is summed from DB_AMT and CR_AMT of approved rows whose code is in a
// named list of M_TBL_CODES, the list parsed and bound.
// Every sum is exact (exactSum: added in whole paise) and of one type whatever its rows: the
// embedded database's driver types an expression column by its first row, and a whole sum
// there (stored as an integer) would cut every later row to whole rupees. An entry's own
// amount ends in "* 1.0" for the same reason.
#include "data/Dialect.h"
#include "data/Money.h"
#include "engine/listings/ListQuery.h"

#include <QDate>

#include <optional>

namespace tarvic::ledger {

// "column IN (?, ?, ...)" with the codes appended to values; an empty list matches nothing.
QString inList(const QString& column, const QStringList& codes, QVariantList& values);
// A balance expression rounded to the paisa, for a filter on its sign: a settled party whose
// floating sum is a hair off zero is neither debit nor credit.
QString paise(const QString& expression);

// The ledger of one party over a period. The running balance starts from the closing balance
// at the to-date and works back through the entries, newest first: each row's CL BALANCE is
// the running balance, then a credit is added back (or, when there is none, a debit taken
// off) to give its OP BALANCE, which is the CL BALANCE of the row below.
struct LedgerRange {
    QStringList codes;
    qint64 party = 0;
    QDate from;
    QDate to;
};
// Entries from-date to to-date (whole days), one query: select kEntrySelect, order kEntryOrder.
ListQuery entries(const LedgerRange& r);
extern const QString kEntrySelect;
extern const QString kEntryOrder;
// DB_AMT, CR_AMT and GRAND_TOTAL (debit minus credit) up to the to-date, or within the period.
ListQuery ledgerTotals(const LedgerRange& r, bool periodOnly);
extern const QString kTotalsSelect;

// "<sum of debit> AS <as[0]>, <sum of credit> AS <as[1]>, <debit less credit> AS <as[2]>",
// each an exact sum.
QString debitCreditSums(const QString& debit, const QString& credit, const QStringList& as);

// "<exact sum of prefix.column> AS <column>, ..." for each column: a totals grid over lines.
QString sumsOf(const QString& prefix, const QStringList& columns);

// Every party's balance over a list, as of now; "DB" keeps those who owe, "CR" those owed.
// The balances are the ones kept per party for the list (M_TBL_PARTY_BALANCE, kept for the
// outstanding lists LDOP and LDMA); `codes` are the list's codes, whose postings are aged.
// The party outstanding list puts the largest debit first; the miscellaneous one the largest
// credit first. Aged on a date, each line also carries its balance by age (AGE_0_30 ..
// AGE_OVER_90, as the engine ages it) and totals sums the balances and buckets of the lines.
struct Outstanding {
    QString select;
    QString groupBy;  // empty: the query's lines are one per party already
    QString orderBy;
    ListQuery query;
    QString totalsSelect;  // over totals
    ListQuery totals;
};
Outstanding outstanding(const Dialect& dialect, const QString& list, const QStringList& codes, const QString& side,
                        bool creditFirst, const std::optional<QDate>& agedOn = std::nullopt);

// Wraps a statement whose rows are a listing's lines, so that a totals grid sums exactly
// those lines: "SELECT {columns} FROM (<lines>) t".
ListQuery linesOf(const QString& lineSql, const QVariantList& values);

// "P" for a balance above zero, "L" otherwise (zero is a loss).
QString profitOrLoss(Money balance);

}  // namespace tarvic::ledger
