#include "sales/SalesWindows.h"
#include "sales/frm_BusinessLeads_Quotation.h"
#include "sales/frm_SearchQuotation.h"

namespace tarvic {

void registerQuotationWindows(WindowRegistry& registry) {
    registry.add<frm_BusinessLeads_Quotation>(QStringLiteral("frm_BusinessLeads_Quotation"));
    registry.add<frm_SearchQuotation>(QStringLiteral("frm_SearchQuotation"));
}

}  // namespace tarvic
