#include "bookings/BookingsWindows.h"
#include "bookings/windows/frm_CBPT01.h"
#include "bookings/windows/frm_Mod_Party_CBPT.h"
#include "bookings/windows/frm_SearchCBPT01.h"

namespace tarvic {

void registerBookingWindows(WindowRegistry& registry) {
    // Opened with CBPT_NO (the TODAY board's row), it shows that booking.
    registry.add(QStringLiteral("frm_CBPT01"), [](Session& s, QWidget* parent, const WindowArgs& args) -> QWidget* {
        auto* w = new frm_CBPT01(s, parent, frm_CBPT01::Mode::Operations);
        if (const qint64 n = args.value(QStringLiteral("CBPT_NO")).toLongLong(); n > 0)
            w->Show_Record(n);
        return w;
    });
    registry.add(QStringLiteral("frm_CBPT_SALES"), [](Session& s, QWidget* parent) -> QWidget* {
        return new frm_CBPT01(s, parent, frm_CBPT01::Mode::Sales);
    });
    registry.add<frm_SearchCBPT01>(QStringLiteral("frm_SearchCBPT01"));
    registry.add<frm_Mod_Party_CBPT>(QStringLiteral("frm_Mod_Party_CBPT"));
}

}  // namespace tarvic
