#include "sales/SalesWindows.h"

#include "sales/frm_BQ_AddHotel.h"
#include "sales/frm_BQ_AddOthrCharges.h"
#include "sales/frm_BQ_AddVehicle.h"

namespace tarvic {

// Each opened with QUOT_NO; onPick, when given, hears of every stored or deleted line.
void registerQuotationLineWindows(WindowRegistry& registry) {
    registry.add<frm_BQ_AddHotel>(QStringLiteral("frm_BQ_AddHotel"));
    registry.add<frm_BQ_AddVehicle>(QStringLiteral("frm_BQ_AddVehicle"));
    registry.add<frm_BQ_AddOthrCharges>(QStringLiteral("frm_BQ_AddOthrCharges"));
}

}  // namespace tarvic
