#pragma once
// Consistency check of the books: what a document save promises (both rows of a pair, one
// row per key, a pair cancelled as a whole, counters ahead of every number used) verified
// over the whole transaction table. Used by `tarvic-admin check` and by the crash test.
#include "Database.h"

#include <QStringList>

namespace tarvic {

struct BooksReport {
    // One line per fault, naming the document code(s) and number.
    QStringList problems;
    bool ok() const { return problems.isEmpty(); }
};

// The paired codes: the first row's code, its mirrored second code, and whether the two rows
// are matched by the booking too (bulk postings share one number across several bookings).
struct DocumentPair {
    const char* first;
    const char* second;
    bool byBooking;
};
inline constexpr DocumentPair kDocumentPairs[] = {
    {"FRDB01", "FRCR01", true},  {"FTCR01", "FTDB01", true},  {"FTREF01", "FTREF02", true},
    {"FRDM01", "FRDM02", true},  {"APCM01", "APCM02", false}, {"BTCR01", "BTDB01", false},
};

// Document codes numbered by a counter of their own (second codes of pairs and invoice lines
// reuse the first code's number and have none).
inline constexpr const char* kNumberedCodes[] = {
    "BLFC01", "CBPT01", "ANCP01", "ANCP02", "ANCP03", "ANCP08", "ANDP08", "FRDB01", "FTCR01", "FTREF01",
    "FAAN01", "APCM01", "FRDM01", "BDAP01", "BCAP01", "BTCR01", "INV001", "INV006", "VBS001",
};

// Reads only; throws DbError when a query fails.
BooksReport checkBooks(Database& db);

}  // namespace tarvic
