#pragma once
// Registers the code maintenance windows of this library with the shell's menu.
#include "shell/WindowRegistry.h"

namespace tarvic {

// mnu_CounterReset -> frm_Counter, mnu_DocCode_Maintenance -> frm_DocCode_Masters,
// mnu_DocCode_Acc_Comb -> frm_DocCode_Acc_Combination. Each window deletes itself on close.
void registerAdminWindows(WindowRegistry& registry);

}  // namespace tarvic
