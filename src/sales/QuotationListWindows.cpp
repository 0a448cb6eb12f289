#include "sales/SalesWindows.h"
#include "sales/frm_LstQGBL01_Det.h"
#include "sales/frm_QGBL01.h"
#include "sales/frm_Quot_Agent_Comb.h"
#include "sales/frm_Search_QuotAgentComb.h"

namespace tarvic {

void registerQuotationListWindows(WindowRegistry& registry) {
    registry.add<frm_QGBL01>(QStringLiteral("frm_QGBL01"));
    registry.add<frm_LstQGBL01_Det>(QStringLiteral("frm_LstQGBL01_Det"));
    registry.add<frm_Quot_Agent_Comb>(QStringLiteral("frm_Quot_Agent_Comb"));
    registry.add<frm_Search_QuotAgentComb>(QStringLiteral("frm_Search_QuotAgentComb"));
}

}  // namespace tarvic
