#pragma once
// Consistency check of the books: what a document save promises (both rows of a pair, one
// row per key, a pair cancelled as a whole, counters ahead of every number used) verified
// over the whole transaction table; a quotation's total is the sum of its lines, each line
// has its day rows; a quotation has at most one live booking and names it, nothing live hangs
// on a cancelled booking, and cancelled rows (and only they) say who, when and why; a
// booking's instalments sum to the grand total they were made for, each is above zero (so
// what is applied to it never exceeds it), and a cancelled booking leaves none due. Which codes
// pair, and whether a pair is matched by its booking too, come from the document kinds. Used
// by `tarvic-admin check` and by the crash test.
#include "Database.h"

#include <QStringList>

namespace tarvic {

struct BooksReport {
    // One line per fault, naming the document code(s) and number.
    QStringList problems;
    bool ok() const { return problems.isEmpty(); }
};

// Reads only; throws DbError when a query fails.
BooksReport checkBooks(Database& db);

}  // namespace tarvic
