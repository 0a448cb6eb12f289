#include "AccountsWindows.h"

namespace tarvic {

void registerInvoiceWindows(WindowRegistry&) {}

}  // namespace tarvic
