#pragma once
// Registers the logins and access-rights windows with the menu.
#include "shell/WindowRegistry.h"

namespace tarvic {

// frm_AddLogins and frm_GrantAccess. Each window deletes itself on close.
void registerAccessWindows(WindowRegistry& registry);

}  // namespace tarvic
