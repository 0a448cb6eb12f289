#pragma once
// The fund adjustment moves a party's balance within one of that party's bookings: the
// booking is found by its number and its bill party together, so another party's booking is
// never adjusted by mistake, and the save checks it again inside its transaction.
#include "data/Database.h"
#include "data/TransactionRecords.h"

#include <QDate>

#include <optional>

namespace tarvic {

inline const QString kNotPartysBooking =
    QStringLiteral("CBPT NO : %1 IS NOT OF PARTY CODE : %2, PLEASE ENTER CBPT NO PROPERLY ...");

// The date of a live booking billed to the party; nothing when the booking is not live or
// is another party's.
std::optional<QDate> partyBookingDate(Database& db, qint64 booking, qint64 party);
// Saves an adjustment (the document's PARTY_CODE column is its party): refused with
// kNotPartysBooking when the booking is not the party's, with shut when it takes no posting.
qint64 postAdjustment(Database& db, const QString& user, const Document& document, const QString& shut);

}  // namespace tarvic
