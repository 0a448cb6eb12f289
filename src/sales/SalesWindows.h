#pragma once
#include "shell/WindowRegistry.h"

namespace tarvic {

// Registers every sales window with the menu entry that opens it.
void registerSalesWindows(WindowRegistry& registry);

// Each family of sales windows registers its own.
void registerLeadWindows(WindowRegistry& registry);
void registerItineraryWindows(WindowRegistry& registry);
void registerQuotationWindows(WindowRegistry& registry);
void registerQuotationLineWindows(WindowRegistry& registry);
void registerMailWindows(WindowRegistry& registry);
void registerQuotationListWindows(WindowRegistry& registry);

}  // namespace tarvic
