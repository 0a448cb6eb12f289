#pragma once
// Sums kept per booking (M_TBL_BOOKING_DUE) and per booking and supplier (M_TBL_SUPPLIER_DUE),
// in whole paise, so that the TODAY board reads only the bookings and suppliers that can have
// anything left due instead of summing a big office's every instalment, receipt, note and
// payment each time it opens. The tables' own triggers keep them: each row written adds its
// share and takes back the share it had, whoever writes it (a save, a cancellation, a tool
// working behind the program's back), inside the writer's transaction. Adding shares, rather
// than summing again, stays right when two workstations post to one booking at once: each adds
// to the row as it stands when its turn comes. Receipts are still applied to instalments when
// read; the sums only narrow what is read. The books check sums them again from the documents.
//
// Per party and outstanding list (M_TBL_PARTY_BALANCE), its live debits and credits over the
// list's codes, so that the outstanding list finds the parties on either side, and their
// balances, without summing every posting of the books. Per bank (M_TBL_BANK_BALANCE), the
// same over the credit-debit listing's codes (CRDB), whose account totals are of all time; per
// booking (M_TBL_BOOKING_PL), the receipts and supplier payments of the tours' profit and loss.
#include "Database.h"

#include <QStringList>

namespace tarvic {

// The migration's step: the triggers on both engines, and the sums of the books as they stand.
void createDueBalances(Database& db);
// The next step: the party balances, and the triggers that keep them.
void createPartyBalances(Database& db);
// Then the banks' balances over the credit-debit listing's codes, and the tours' profit and loss.
void createListingSums(Database& db);

// Every kept sum summed again from the books: after a bulk load made with the triggers off
// (on PostgreSQL, rows posted in one transaction to one party's sums leave a version of
// its row each, which every later one walks).
void sumKeptBalancesAgain(Database& db);
// The same as statements, for a loader on the engine's own client library.
QStringList sumKeptBalancesStatements();

// One line per booking or supplier whose kept sums differ from its documents' (the books check).
QStringList dueBalanceFaults(Database& db);

}  // namespace tarvic
