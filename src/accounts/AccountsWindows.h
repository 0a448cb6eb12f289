#pragma once
#include "shell/WindowRegistry.h"

namespace tarvic {

// Registers every accounts window with the menu entry that opens it.
void registerAccountsWindows(WindowRegistry& registry);

// Each family of accounts windows registers its own.
void registerMoneyDocumentWindows(WindowRegistry& registry);
void registerVoucherWindows(WindowRegistry& registry);
void registerInvoiceWindows(WindowRegistry& registry);
void registerLedgerWindows(WindowRegistry& registry);

}  // namespace tarvic
