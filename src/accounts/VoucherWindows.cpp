#include "AccountsWindows.h"

namespace tarvic {

void registerVoucherWindows(WindowRegistry&) {}

}  // namespace tarvic
