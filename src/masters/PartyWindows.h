#pragma once
// The party windows: maintenance, the shared party picker, web passwords, web access of
// logins and the registration list. Also the pieces they share: the party join and the
// "BY - ON" text of the audit columns.
#include "data/Moments.h"
#include "shell/WindowRegistry.h"

#include <QString>
#include <QVariant>

namespace tarvic {

// frm_Party, frm_Search_Party, frm_LstPartyRegd, and the web access windows opened from the
// party and login windows: frm_PartyWebAccess (PARTY_CODE), frm_WebAccess.
void registerPartyWindows(WindowRegistry& registry);

namespace party {

// A party with its type and location names. A party whose type, country, state or place row
// is missing drops out, as in every list of parties. The filter (with "?" placeholders) goes
// before the join conditions; append ORDER BY or GROUP BY after them.
inline const QString kJoin = QStringLiteral(
    "SELECT %1 "
    "FROM M_TBL_PARTY a, M_TBL_PARTYTYPE b, M_TBL_CSP_COUNTRY c, M_TBL_CSP_STATE d, M_TBL_CSP_PLACE e "
    "WHERE %2 AND a.PARTYTYPE_CODE=b.PARTYTYPE_CODE AND a.COUNTRY_CODE=c.COUNTRY_CODE "
    "AND a.COUNTRY_CODE=d.COUNTRY_CODE AND a.COUNTRY_CODE=e.COUNTRY_CODE AND c.COUNTRY_CODE=d.COUNTRY_CODE "
    "AND c.COUNTRY_CODE=e.COUNTRY_CODE AND d.COUNTRY_CODE=e.COUNTRY_CODE AND a.STATE_CODE=d.STATE_CODE "
    "AND a.STATE_CODE=e.STATE_CODE AND d.STATE_CODE=e.STATE_CODE AND a.PLACE_CODE=e.PLACE_CODE");

inline QString joinSelect(const QString& columns, const QString& filter) { return kJoin.arg(columns, filter); }
// The party row with its names.
inline QString joinWhere(const QString& filter) {
    return joinSelect(QStringLiteral("a.*, b.PARTY_TYPE, c.COUNTRY_NAME, d.STATE_NAME, e.PLACE_NAME"), filter);
}

}  // namespace party
}  // namespace tarvic
