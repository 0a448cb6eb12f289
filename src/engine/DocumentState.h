#pragma once
// The states a document is in, and the literals its status column holds for them, named
// once: every statement and every window reads them from here, never from a literal of its
// own, so that what "live" and "cancelled" mean cannot drift between two places.
#include "data/DocumentKinds.h"

#include <QString>

namespace tarvic {

// DOC_STATUS of M_TBL_TRANSACTION.
namespace status {
inline const QString kLive = QStringLiteral("APPRV");       // counted in every sum
inline const QString kCancelled = QStringLiteral("CNCL");   // dropped from every sum, never rewritten
inline const QString kPending = QStringLiteral("NC");       // written, not yet approved
}  // namespace status

enum class DocState {
    New,        // not saved yet: number 0
    Live,       // saved and approved; may change while its booking is open
    Cancelled,  // cancelled: shown, never changed again
    Locked,     // live, but its booking is no longer live or its lock forbids the kind
};

// What may happen next to a document in a state.
struct NextSteps {
    bool save = false;    // saved (a new one numbered, a live one rewritten)
    bool cancel = false;  // cancelled
};
NextSteps nextSteps(DocState state, bool modifiable);

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
