#include "ConsultantAddressWindows.h"

#include "masters/AddressBook.h"
#include "masters/AddressBookFinder.h"
#include "masters/ConsultantMaster.h"

namespace tarvic {

void registerConsultantAndAddressWindows(WindowRegistry& registry) {
    registry.add<frm_RegdConsultant>(QStringLiteral("frm_RegdConsultant"));
    registry.add<frm_Regd_Consultant_OP>(QStringLiteral("frm_Regd_Consultant_OP"));
    registry.add<frm_AddressBook>(QStringLiteral("frm_AddressBook"));
    // Opened from the menu the search has no caller: choosing a row does nothing there.
    registry.add(QStringLiteral("frm_Search_AddressBook"), [](Session& s, QWidget* parent, const WindowArgs& args) -> QWidget* {
        return new frm_Search_AddressBook(s, parent, args.onPick);
    });
    registry.add<frm_LstAddressBook>(QStringLiteral("frm_LstAddressBook"));
}

}  // namespace tarvic
