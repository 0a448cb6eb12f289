#pragma once
// A document number belongs to one document. M_TBL_TRANSACTION holds it in its unique key
// UX_TRN_NUMBER (DOC_CODE, DOC_NO, line, DOC_PART): a bulk posting shares its number across
// bookings as parts 1..n of one document, and NULL reads as part 1. These are the pieces the
// books check and the upgrade that brought the key both need: the numbers held twice, and the
// parts of bulk postings saved before parts were written.
#include "Database.h"

#include <QList>

#include <vector>

namespace tarvic {

// Rows that share one key of UX_TRN_NUMBER.
struct DoubledNumber {
    QString code;
    qint64 number = 0;
    qint64 line = -1;  // INV_DETSLNO, -1 for none
    qint64 part = 1;
    qint64 rows = 0;
    QList<qint64> inDocNos;  // the IN_DOCNO the rows carry, each once, ascending
    QList<qint64> bookings;  // of those, the ones that name a booking
    QList<qint64> parties;
};

// Every key held by more than one row, by code, number, line and part. Reads only.
std::vector<DoubledNumber> doubledNumbers(Database& db);

// The upgrade's refusal when numbers are held twice: one line per doubled key naming its
// bookings and parties, and what to do. Empty when none is.
QString doubledNumbersReport(const std::vector<DoubledNumber>& doubled);

// Gives the rows of each bulk posting saved before parts existed (their narration says "BULK
// POSTING DONE FOR CBPT NOS : <list>") the part of their booking in that list. Rows of one
// number that are not one posting (another party, another list) are left as part 1, so the
// doubled number shows.
void numberBulkPostingParts(Database& db);

}  // namespace tarvic
