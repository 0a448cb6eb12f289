#pragma once
// Chk_TCRole: what the logged-on user may do in the lead windows, read from the user's row of
// M_TBL_CONSULTANT (selected by the consultant code kept at logon).
//
//     const TCRoleCheck role = Chk_TCRole(db(), session().consultantCode);
//     tool(3)->setEnabled(role.saveAllowed());
//     txt_Consultant->setEnabled(!role.consultantLocked());
//     if (role.role == TCRole::Operator) { txt_Consultant->setText(QString::number(role.consultantCode)); ... }
//     if (!role.saveAllowed()) prompter().information(this, role.refusal());   // lead search
#include "data/Database.h"

#include <QString>

namespace tarvic {


enum class TCRole {
    NotRegistered,  // no consultant row for the code: not a tour consultant
    NoPermission,   // a row without a known role
    Operator,       // only his own leads
    Admin,          // every consultant's leads
};

inline const QString kNotTourConsultant =
    QStringLiteral("CANNOT PROCEED AS YOU ARE NOT REGISTERED AS TOUR CONSULTANT...");
inline const QString kNoTCPermission = QStringLiteral("CANNOT PROCEED AS YOU DONT HAVE ANY PERMISSION ...");

struct TCRoleCheck {
    TCRole role = TCRole::NotRegistered;
    int consultantCode = 0;  // the user's code (as looked up)
    QString consultantName;  // CONSULTANT_NAME of the row, empty when none

    // The window's save stays enabled only for a known role.
    bool saveAllowed() const { return role == TCRole::Operator || role == TCRole::Admin; }
    // The consultant field is open to ADMIN alone (an unregistered user's save is off anyway).
    bool consultantLocked() const { return role == TCRole::NoPermission || role == TCRole::Operator; }
    // What the lead search reports when the user may not proceed; empty otherwise.
    QString refusal() const {
        switch (role) {
        case TCRole::NotRegistered: return kNotTourConsultant;
        case TCRole::NoPermission: return kNoTCPermission;
        default: return {};
        }
    }
};

// Reads the consultant row of the code. A role other than "OPERATOR" or "ADMIN" (blank or
// unknown) grants nothing. Throws DbError when the query fails.
TCRoleCheck Chk_TCRole(Database& db, int consultantCode);

}  // namespace tarvic
