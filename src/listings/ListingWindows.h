#pragma once
#include "shell/WindowRegistry.h"

namespace tarvic {

// Registers the listings of documents between dates (the queries menu).
void registerListingWindows(WindowRegistry& registry);

}  // namespace tarvic
