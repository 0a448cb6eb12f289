#pragma once
// Registers the code maintenance windows of this library with the shell's menu.
#include "shell/WindowRegistry.h"

namespace tarvic {

// frm_Counter, frm_DocCode_Masters, frm_DocCode_Acc_Combination, and the access, transfer
// and profile windows. Each window deletes itself on close.
void registerAdminWindows(WindowRegistry& registry);

}  // namespace tarvic
