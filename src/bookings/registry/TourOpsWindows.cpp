#include "bookings/BookingsWindows.h"
#include "bookings/windows/HotelStatusWindows.h"
#include "bookings/windows/VehicleSheetWindows.h"
#include "bookings/windows/frm_FeedBackForm.h"
#include "bookings/windows/frm_GenerateTourDays.h"
#include "bookings/windows/frm_UnMatchANCP.h"

namespace tarvic {

void registerTourOpsWindows(WindowRegistry& registry) {
    registry.add<frm_UpdateHotelStatus>(QStringLiteral("frm_UpdateHotelStatus"));
    registry.add<frm_UpdateHotelStatus_Line>(QStringLiteral("frm_UpdateHotelStatus_Line"));
    registry.add<frm_VehBookSheet>(QStringLiteral("frm_VehBookSheet"));
    registry.add<frm_VehBookSheet_Add>(QStringLiteral("frm_VehBookSheet_Add"));
    registry.add<frm_GenerateTourDays>(QStringLiteral("frm_GenerateTourDays"));
    registry.add<frm_FeedBackForm>(QStringLiteral("frm_FeedBackForm"));
    registry.add<frm_UnMatchANCP>(QStringLiteral("frm_UnMatchANCP"));
}

}  // namespace tarvic
