#include "AccessWindows.h"

#include "admin/frm_AddLogins.h"
#include "admin/frm_GrantAccess.h"

namespace tarvic {

void registerAccessWindows(WindowRegistry& registry) {
    registry.add<frm_AddLogins>(QStringLiteral("frm_AddLogins"));
    registry.add<frm_GrantAccess>(QStringLiteral("frm_GrantAccess"));
}

}  // namespace tarvic
