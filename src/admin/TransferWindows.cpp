#include "TransferWindows.h"

#include "admin/frm_CompanyProfile.h"
#include "admin/frm_ExpImpMenuDetails.h"
#include "admin/frm_SMTP.h"

namespace tarvic {

void registerTransferAndProfileWindows(WindowRegistry& registry) {
    registry.add<frm_ExpImpMenuDetails>(QStringLiteral("frm_ExpImpMenuDetails"));
    registry.add<frm_CompanyProfile>(QStringLiteral("frm_CompanyProfile"));
    registry.add<frm_SMTP>(QStringLiteral("frm_SMTP"));
}

}  // namespace tarvic
