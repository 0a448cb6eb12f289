#include "sales/SalesWindows.h"

#include "frm_BusinessLead_Action.h"
#include "frm_BusinessLead_Add.h"
#include "frm_BusinessLeads.h"
#include "frm_LstBLFC01.h"
#include "frm_SearchLead.h"

namespace tarvic {

void registerLeadWindows(WindowRegistry& registry) {
    registry.add<frm_BusinessLeads>(QStringLiteral("frm_BusinessLeads"));
    registry.add<frm_BusinessLead_Add>(QStringLiteral("frm_BusinessLead_Add"));
    registry.add<frm_BusinessLead_Action>(QStringLiteral("frm_BusinessLead_Action"));
    // Opened from the menu the picker only lists: nobody receives the lead.
    registry.add(QStringLiteral("frm_SearchLead"), [](Session& s, QWidget* parent, const WindowArgs& args) -> QWidget* {
        return new frm_SearchLead(s, parent, args.onPick);
    });
    registry.add<frm_LstBLFC01>(QStringLiteral("frm_LstBLFC01"));
}

}  // namespace tarvic
