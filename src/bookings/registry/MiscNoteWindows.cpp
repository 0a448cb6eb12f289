#include "bookings/BookingsWindows.h"
#include "bookings/family/MiscNoteWindow.h"
#include "bookings/windows/frm_SWS_ANCPANDP08.h"
#include "bookings/windows/frm_Search_SWS.h"

namespace tarvic {

void registerMiscNoteWindows(WindowRegistry& registry) {
    for (const MiscNoteKind& kind : miscNoteKinds())
        registry.add(QStringLiteral("frm_") + kind.code,
                     [kind](Session& s, QWidget* parent) -> QWidget* { return new MiscNoteWindow(s, parent, kind); });
    for (const bool modify : {false, true})
        registry.add(modify ? QStringLiteral("frm_SWS_ANCPANDP08_Mod") : QStringLiteral("frm_SWS_ANCPANDP08"),
                     [modify](Session& s, QWidget* parent, const WindowArgs& args) -> QWidget* {
                         return new frm_SWS_ANCPANDP08(s, parent, modify, args);
                     });
    registry.add<frm_Search_SWS>(QStringLiteral("frm_Search_SWS"));
}

}  // namespace tarvic
