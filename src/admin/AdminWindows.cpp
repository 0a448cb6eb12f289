#include "AdminWindows.h"

#include "admin/AccessWindows.h"
#include "admin/CodeMaintenance.h"
#include "admin/TransferWindows.h"
#include "admin/frm_DocCode_Acc_Combination.h"
#include "shell/kit/LookupGridWindow.h"

namespace tarvic {

namespace {
QWidget* deleteOnClose(QWidget* w) {
    w->setAttribute(Qt::WA_DeleteOnClose);
    return w;
}
}  // namespace

void registerAdminWindows(WindowRegistry& registry) {
    registry.add(QStringLiteral("mnu_CounterReset"), [](Session& s, QWidget* parent) {
        return deleteOnClose(new LookupGridWindow(s, parent, frm_Counter_Config()));
    });
    registry.add(QStringLiteral("mnu_DocCode_Maintenance"), [](Session& s, QWidget* parent) {
        return deleteOnClose(new LookupGridWindow(s, parent, frm_DocCode_Masters_Config()));
    });
    registry.add(QStringLiteral("mnu_DocCode_Acc_Comb"), [](Session& s, QWidget* parent) {
        return deleteOnClose(new frm_DocCode_Acc_Combination(s, parent));
    });
    registerAccessWindows(registry);
    registerTransferAndProfileWindows(registry);
}

}  // namespace tarvic
