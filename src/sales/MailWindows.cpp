#include "sales/SalesWindows.h"
#include "sales/frm_SendBulkEmail.h"

namespace tarvic {

void registerMailWindows(WindowRegistry& registry) {
    registry.add<frm_SendBulkEmail>(QStringLiteral("frm_SendBulkEmail"));
}

}  // namespace tarvic
