#include "sales/SalesWindows.h"

namespace tarvic {

void registerLeadWindows(WindowRegistry&) {}

}  // namespace tarvic
