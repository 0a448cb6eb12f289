#include "AccountsWindows.h"

namespace tarvic {

void registerAccountsWindows(WindowRegistry& registry) {
    registerMoneyDocumentWindows(registry);
    registerVoucherWindows(registry);
    registerInvoiceWindows(registry);
    registerLedgerWindows(registry);
}

}  // namespace tarvic
