#include "AccessWindows.h"

#include "admin/frm_AddLogins.h"
#include "admin/frm_GrantAccess.h"

namespace tarvic {

void registerAccessWindows(WindowRegistry& registry) {
    registry.add<frm_AddLogins>(QStringLiteral("mnu_Login"));
    registry.add<frm_GrantAccess>(QStringLiteral("mnu_GMR"));
}

}  // namespace tarvic
