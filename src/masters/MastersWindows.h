#pragma once
#include "shell/WindowRegistry.h"

namespace tarvic {

// Registers every master-data window with the menu entry that opens it.
void registerMastersWindows(WindowRegistry& registry);

}  // namespace tarvic
