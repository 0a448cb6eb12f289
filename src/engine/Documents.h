#pragma once
// A document of the transaction table as the windows and operations see it: its kind, its
// number and its state, and the one way a document of a booking is posted (the booking still
// live and its lock not set, re-read inside the save's transaction).
#include "data/TransactionRecords.h"
#include "engine/DocumentState.h"

#include <QSqlRecord>

namespace tarvic {

// The state of a saved document from its first row (DOC_STATUS, IN_DOCNO): Cancelled when it
// is, Locked when it is posted against a booking that is no longer live or whose lock forbids
// its kind, else Live.
DocState documentState(Database& db, const DocumentKind& kind, const QSqlRecord& firstRow);

// Whether the booking takes a document of this kind now (live, its lock flag for the kind not
// 'Y'). Inside a transaction the booking row stays as read until it ends.
bool bookingTakes(Database& db, const DocumentKind& kind, qint64 booking);

// Saves a document (see TransactionRecords::save); a document posted against a booking is
// refused with shut (DbError Refused) when bookingTakes says no, checked inside the save's
// transaction. Returns its number.
qint64 postDocument(Database& db, const QString& user, const Document& document, const QString& shut);

}  // namespace tarvic
