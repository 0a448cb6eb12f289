#include "StatusWindows.h"

#include "masters/StatusMaster.h"

namespace tarvic {

void registerStatusWindows(WindowRegistry& registry) {
    registry.add(QStringLiteral("frm_LeadStatus"), [](Session& s, QWidget* parent, const WindowArgs&) -> QWidget* {
        return new StatusMaster(s, parent, frm_LeadStatus_Config());
    });
}

}  // namespace tarvic
