#include "AdminWindows.h"

#include "admin/AccessWindows.h"
#include "admin/CodeMaintenance.h"
#include "admin/TransferWindows.h"
#include "admin/frm_DocCode_Acc_Combination.h"
#include "shell/kit/LookupGridWindow.h"

namespace tarvic {

void registerAdminWindows(WindowRegistry& registry) {
    registry.add(QStringLiteral("mnu_CounterReset"), [](Session& s, QWidget* parent) -> QWidget* {
        return new LookupGridWindow(s, parent, frm_Counter_Config());
    });
    registry.add(QStringLiteral("mnu_DocCode_Maintenance"), [](Session& s, QWidget* parent) -> QWidget* {
        return new LookupGridWindow(s, parent, frm_DocCode_Masters_Config());
    });
    registry.add<frm_DocCode_Acc_Combination>(QStringLiteral("mnu_DocCode_Acc_Comb"));
    registerAccessWindows(registry);
    registerTransferAndProfileWindows(registry);
}

}  // namespace tarvic
