#include "AccountsWindows.h"

namespace tarvic {

void registerLedgerWindows(WindowRegistry&) {}

}  // namespace tarvic
