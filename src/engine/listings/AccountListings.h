#pragma once
// The queries of the ledgers and balance lists, one GridQuery per grid of the window (detail
// first). Every figure is summed exactly from the approved rows whose code is in the named
// list, as the ledger statements do; a lookup that may be missing is outer-joined, so its
// rows still count.
#include "engine/accounts/LedgerQueries.h"
#include "engine/listings/ListQuery.h"

#include <QDate>

#include <optional>

namespace tarvic::listings {

// Debits and credits within the dates per document code and account, then per bank and
// status; over all dates the balance per bank and of every account together (four grids),
// as kept per bank for `list` (M_TBL_BANK_BALANCE, kept for CRDB), whose codes are `codes`.
QList<GridQuery> creditDebit(const QString& list, const QStringList& codes, const QDate& from, const QDate& to);

// Each live booking whose bill party still owes (credit: is owed) within it, with its lead's
// consultant; all consultants or one. Lines, then their totals per consultant. The balances
// are the ones kept per booking and party for the list (LDOP).
QList<GridQuery> bookingBalancesByConsultant(const QString& list, bool credit, std::optional<qint64> consultant);

// For each booking whose quotation's journey starts within the dates: receipts against
// payments to suppliers and their balance. Lines, then their totals.
QList<GridQuery> profitAndLossByTour(const Dialect& dialect, const QDate& from, const QDate& to);

// A party's balance within each booking it has rows under, settled ones left out. Lines, then
// their totals.
QList<GridQuery> partyBookingBalances(const QStringList& codes, qint64 party);

// A party's ledger: the period's entries, totals up to the to-date, totals of the period.
QList<GridQuery> partyLedger(const ledger::LedgerRange& range);

// Parties with a balance as of now (see ledger::outstanding): lines, then their totals.
QList<GridQuery> outstanding(const Dialect& dialect, const QString& list, const QStringList& codes, const QString& side,
                             bool creditFirst, const QDate& agedOn);

}  // namespace tarvic::listings
