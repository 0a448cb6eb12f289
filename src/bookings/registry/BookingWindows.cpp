#include "bookings/BookingsWindows.h"
#include "bookings/windows/frm_CBPT01.h"
#include "bookings/windows/frm_Mod_Party_CBPT.h"
#include "bookings/windows/frm_SearchCBPT01.h"

namespace tarvic {

void registerBookingWindows(WindowRegistry& registry) {
    registry.add(QStringLiteral("frm_CBPT01"), [](Session& s, QWidget* parent) -> QWidget* {
        return new frm_CBPT01(s, parent, frm_CBPT01::Mode::Operations);
    });
    registry.add(QStringLiteral("frm_CBPT_SALES"), [](Session& s, QWidget* parent) -> QWidget* {
        return new frm_CBPT01(s, parent, frm_CBPT01::Mode::Sales);
    });
    registry.add<frm_SearchCBPT01>(QStringLiteral("frm_SearchCBPT01"));
    registry.add<frm_Mod_Party_CBPT>(QStringLiteral("frm_Mod_Party_CBPT"));
}

}  // namespace tarvic
