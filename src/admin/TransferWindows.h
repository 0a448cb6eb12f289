#pragma once
// Registers the menu transfer, company profile and mail settings windows with the menu.
#include "shell/WindowRegistry.h"

namespace tarvic {

// frm_ExpImpMenuDetails, frm_CompanyProfile and frm_SMTP. Each window deletes itself on close.
void registerTransferAndProfileWindows(WindowRegistry& registry);

}  // namespace tarvic
