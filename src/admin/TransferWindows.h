#pragma once
// Registers the menu transfer, company profile and mail settings windows with the menu.
#include "shell/WindowRegistry.h"

namespace tarvic {

// mnu_ExpImpMenudetails -> frm_ExpImpMenuDetails, mnu_CompanyProfile -> frm_CompanyProfile,
// mnu_SmtpServer -> frm_SMTP. Each window deletes itself on close.
void registerTransferAndProfileWindows(WindowRegistry& registry);

}  // namespace tarvic
