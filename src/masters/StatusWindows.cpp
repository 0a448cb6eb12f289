#include "StatusWindows.h"

#include "masters/StatusMaster.h"

namespace tarvic {

void registerStatusWindows(WindowRegistry& registry) {
    for (StatusMasterConfig (*config)() :
         {frm_LeadStatus_Config, frm_HotelStatus_Config, frm_CBPTSTATUS_Config, frm_CBPTSTATUS_OPS_Config}) {
        registry.add(config().windowName, [config](Session& s, QWidget* parent, const WindowArgs&) -> QWidget* {
            return new StatusMaster(s, parent, config());
        });
    }
}

}  // namespace tarvic
