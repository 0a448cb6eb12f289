#include "bookings/BookingsWindows.h"
#include "bookings/windows/frm_CBPT_ConsOpt.h"
#include "bookings/windows/frm_CBPT_StatusUpdate.h"
#include "bookings/windows/frm_ReminderTemplate.h"
#include "bookings/windows/frm_TodayBoard.h"
#include "bookings/windows/frm_Update_CBPT_Ops.h"
#include "bookings/windows/frm_SupplierRequests.h"
#include "bookings/windows/frm_SupplierTemplates.h"
#include "bookings/windows/frm_Update_CBPT_OpsLog.h"

namespace tarvic {

void registerOperationsWindows(WindowRegistry& registry) {
    registry.add<frm_CBPT_StatusUpdate>(QStringLiteral("frm_CBPT_StatusUpdate"));
    registry.add<frm_CBPT_ConsOpt>(QStringLiteral("frm_CBPT_ConsOpt"));
    registry.add<frm_Update_CBPT_Ops>(QStringLiteral("frm_Update_CBPT_Ops"));
    registry.add<frm_Update_CBPT_OpsLog>(QStringLiteral("frm_Update_CBPT_OpsLog"));
    registry.add<frm_TodayBoard>(QStringLiteral("frm_TodayBoard"));
    registry.add<frm_ReminderTemplate>(QStringLiteral("frm_ReminderTemplate"));
    registry.add<frm_SupplierRequests>(QStringLiteral("frm_SupplierRequests"));
    registry.add<frm_SupplierTemplates>(QStringLiteral("frm_SupplierTemplates"));
}

}  // namespace tarvic
