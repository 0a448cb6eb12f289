#include "ConsultantAddressWindows.h"

#include "masters/AddressBook.h"
#include "masters/AddressBookFinder.h"
#include "masters/ConsultantMaster.h"

namespace tarvic {

void registerConsultantAndAddressWindows(WindowRegistry& registry) {
    registry.add<frm_RegdConsultant>(QStringLiteral("mnu_TourConsultant"));
    registry.add<frm_Regd_Consultant_OP>(QStringLiteral("mnu_OpsConsultant"));
    registry.add<frm_AddressBook>(QStringLiteral("mnu_AddressBook"));
    // From the menu the search has no caller: choosing a row does nothing there.
    registry.add<frm_Search_AddressBook>(QStringLiteral("mnu_Src_AddressBook"));
    registry.add<frm_LstAddressBook>(QStringLiteral("mnu_LstAddressBook"));
}

}  // namespace tarvic
