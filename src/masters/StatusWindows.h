#pragma once
// Registers the status-master windows with the menu.
#include "shell/WindowRegistry.h"

namespace tarvic {

// frm_LeadStatus. Each window deletes itself on close.
void registerStatusWindows(WindowRegistry& registry);

}  // namespace tarvic
