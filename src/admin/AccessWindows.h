#pragma once
// Registers the logins and access-rights windows with the menu.
#include "shell/WindowRegistry.h"

namespace tarvic {

// mnu_Login -> frm_AddLogins, mnu_GMR -> frm_GrantAccess. Each window deletes itself on close.
void registerAccessWindows(WindowRegistry& registry);

}  // namespace tarvic
