#pragma once
// The literals a document's status column holds, and the conditions over them, named once:
// every statement, the books check and every window read them from here, never from a literal
// of their own, so that what "live" and "cancelled" mean cannot drift between two places.
#include "data/DocumentKinds.h"

#include <QString>

namespace tarvic {

// DOC_STATUS of M_TBL_TRANSACTION.
namespace status {
inline const QString kLive = QStringLiteral("APPRV");       // counted in every sum
inline const QString kCancelled = QStringLiteral("CNCL");   // dropped from every sum, never rewritten
inline const QString kPending = QStringLiteral("NC");       // written, not yet approved
}  // namespace status

// SQL conditions said once. alias names the table ("a" gives "a.DOC_STATUS"); empty for none.
namespace sql {
// The row is live ("DOC_STATUS='APPRV'").
QString live(const QString& alias = {});
// The row is not cancelled (NULL counts as not cancelled).
QString notCancelled(const QString& alias = {});
// A live document posted against the booking bound to the one placeholder it holds, other
// than the booking itself.
QString livePostedAgainstBooking(const QString& alias = {});
}  // namespace sql

}  // namespace tarvic
