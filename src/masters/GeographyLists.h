#pragma once
// Where the masters' code lists come from, declared once for every window that shows them
// (countries, the states of a country, the places of a state, party types, groups and
// meetings, logins), and the "user - moment" text of the audit columns.
#include "data/Database.h"
#include "shell/kit/CodeList.h"

#include <QDateTime>
#include <QString>

namespace tarvic {

namespace sources {
inline const CodeSource kCountry{QStringLiteral("M_TBL_CSP_COUNTRY"), QStringLiteral("COUNTRY_CODE"),
                                 QStringLiteral("COUNTRY_NAME")};
inline const CodeSource kState{QStringLiteral("M_TBL_CSP_STATE"),
                               QStringLiteral("STATE_CODE"),
                               QStringLiteral("STATE_NAME"),
                               {QStringLiteral("COUNTRY_CODE")}};
inline const CodeSource kPlace{QStringLiteral("M_TBL_CSP_PLACE"),
                               QStringLiteral("PLACE_CODE"),
                               QStringLiteral("PLACE_NAME"),
                               {QStringLiteral("COUNTRY_CODE"), QStringLiteral("STATE_CODE")}};
inline const CodeSource kPartyType{QStringLiteral("M_TBL_PARTYTYPE"), QStringLiteral("PARTYTYPE_CODE"),
                                   QStringLiteral("PARTY_TYPE")};
inline const CodeSource kGroupMeet{QStringLiteral("M_TBL_PARTYGROUP"), QStringLiteral("GROUP_CODE"),
                                   QStringLiteral("GROUP_NAME")};
inline const CodeSource kLogin{QStringLiteral("MST_LOGINDETAILS"), QStringLiteral("Login_Id"),
                               QStringLiteral("USER_NAME")};
}  // namespace sources

}  // namespace tarvic
