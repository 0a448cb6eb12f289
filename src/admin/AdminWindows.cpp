#include "AdminWindows.h"

#include "admin/AccessWindows.h"
#include "admin/CodeMaintenance.h"
#include "admin/TransferWindows.h"
#include "admin/frm_DocCode_Acc_Combination.h"
#include "shell/kit/LookupGridWindow.h"

namespace tarvic {

void registerAdminWindows(WindowRegistry& registry) {
    for (const LookupGridConfig& config : {frm_Counter_Config(), frm_DocCode_Masters_Config()}) {
        registry.add(config.windowName, [config](Session& s, QWidget* parent, const WindowArgs&) -> QWidget* {
            return new LookupGridWindow(s, parent, config);
        });
    }
    registry.add<frm_DocCode_Acc_Combination>(QStringLiteral("frm_DocCode_Acc_Combination"));
    registerAccessWindows(registry);
    registerTransferAndProfileWindows(registry);
}

}  // namespace tarvic
