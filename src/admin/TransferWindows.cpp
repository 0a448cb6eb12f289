#include "TransferWindows.h"

#include "admin/frm_CompanyProfile.h"
#include "admin/frm_ExpImpMenuDetails.h"
#include "admin/frm_SMTP.h"

namespace tarvic {

void registerTransferAndProfileWindows(WindowRegistry& registry) {
    registry.add<frm_ExpImpMenuDetails>(QStringLiteral("mnu_ExpImpMenudetails"));
    registry.add<frm_CompanyProfile>(QStringLiteral("mnu_CompanyProfile"));
    registry.add<frm_SMTP>(QStringLiteral("mnu_SmtpServer"));
}

}  // namespace tarvic
