#pragma once
// Writing a lead: the entry window's save and the follow-up's, each one transaction that
// re-checks, inside it, what the window checked when it showed the lead: the user's role (no
// consultant row or role: no save), an operator's own leads only, and the lead's lock.
#include "data/Database.h"
#include "engine/masters/ConsultantRole.h"

namespace tarvic::lead {

inline const QString kCode = QStringLiteral("BLFC01");

inline const QString kLeadLocked = QStringLiteral("THE LEAD IS LOCKED, IT CANNOT BE CHANGED ....");
inline const QString kNotOwnLead = QStringLiteral("THE LEAD BELONGS TO ANOTHER CONSULTANT, IT CANNOT BE CHANGED ....");
// A lead of no consultant is seen by no operator: it is never stored without one.
inline const QString kNoConsultant = QStringLiteral("PLEASE ENTER CONSULTANT CODE PROPERLY ....");

// Why this user may not save a lead and what to do about it; empty when he may. A login that
// is no tour consultant (the administrator's) is told how to become one.
QString saveRefusal(const TCRoleCheck& role);

// Stores the lead's own columns: number 0 takes the next number of counter BLFC01 and adds
// the row (created and updated by the user), otherwise the row of that number is updated
// (updated by). An operator's lead is always his own: CONSULTANT_CODE is his code whatever
// the columns say; a new lead, or columns naming CONSULTANT_CODE, must name a registered
// consultant (kNoConsultant). Returns the number. Throws DbError (Refused with the reason, Changed when
// the update found no row); nothing is kept then, the number included.
qint64 saveLead(Database& db, const QString& user, int consultantCode, qint64 number, Columns columns);

// The follow-up's columns of an existing lead, under the same checks.
void saveFollowUp(Database& db, const QString& user, int consultantCode, qint64 number, const Columns& columns);

}  // namespace tarvic::lead
