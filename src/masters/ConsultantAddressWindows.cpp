#include "ConsultantAddressWindows.h"

#include "masters/AddressBook.h"
#include "masters/AddressBookFinder.h"
#include "masters/ConsultantMaster.h"

namespace tarvic {

namespace {
template <class W>
WindowRegistry::Factory factory() {
    return [](Session& session, QWidget* parent) -> QWidget* {
        auto* w = new W(session, parent);
        w->setAttribute(Qt::WA_DeleteOnClose);
        return w;
    };
}
}  // namespace

void registerConsultantAndAddressWindows(WindowRegistry& registry) {
    registry.add(QStringLiteral("mnu_TourConsultant"), factory<frm_RegdConsultant>());
    registry.add(QStringLiteral("mnu_OpsConsultant"), factory<frm_Regd_Consultant_OP>());
    registry.add(QStringLiteral("mnu_AddressBook"), factory<frm_AddressBook>());
    // From the menu the search has no caller: choosing a row does nothing there.
    registry.add(QStringLiteral("mnu_Src_AddressBook"), factory<frm_Search_AddressBook>());
    registry.add(QStringLiteral("mnu_LstAddressBook"), factory<frm_LstAddressBook>());
}

}  // namespace tarvic
