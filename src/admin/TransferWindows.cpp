#include "TransferWindows.h"

#include "admin/frm_CompanyProfile.h"
#include "admin/frm_ExpImpMenuDetails.h"
#include "admin/frm_SMTP.h"

namespace tarvic {

namespace {
QWidget* deleteOnClose(QWidget* w) {
    w->setAttribute(Qt::WA_DeleteOnClose);
    return w;
}
}  // namespace

void registerTransferAndProfileWindows(WindowRegistry& registry) {
    registry.add(QStringLiteral("mnu_ExpImpMenudetails"), [](Session& s, QWidget* parent) {
        return deleteOnClose(new frm_ExpImpMenuDetails(s, parent));
    });
    registry.add(QStringLiteral("mnu_CompanyProfile"), [](Session& s, QWidget* parent) {
        return deleteOnClose(new frm_CompanyProfile(s, parent));
    });
    registry.add(QStringLiteral("mnu_SmtpServer"), [](Session& s, QWidget* parent) {
        return deleteOnClose(new frm_SMTP(s, parent));
    });
}

}  // namespace tarvic
