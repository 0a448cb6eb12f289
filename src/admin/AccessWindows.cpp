#include "AccessWindows.h"

#include "admin/frm_AddLogins.h"
#include "admin/frm_GrantAccess.h"

namespace tarvic {

void registerAccessWindows(WindowRegistry& registry) {
    registry.add(QStringLiteral("mnu_Login"), [](Session& s, QWidget* parent) -> QWidget* {
        auto* w = new frm_AddLogins(s, parent);
        w->setAttribute(Qt::WA_DeleteOnClose);
        return w;
    });
    registry.add(QStringLiteral("mnu_GMR"), [](Session& s, QWidget* parent) -> QWidget* {
        auto* w = new frm_GrantAccess(s, parent);
        w->setAttribute(Qt::WA_DeleteOnClose);
        return w;
    });
}

}  // namespace tarvic
