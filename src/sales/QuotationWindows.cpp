#include "sales/SalesWindows.h"

namespace tarvic {

void registerQuotationWindows(WindowRegistry&) {}

}  // namespace tarvic
