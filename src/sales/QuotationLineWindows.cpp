#include "sales/SalesWindows.h"

namespace tarvic {

void registerQuotationLineWindows(WindowRegistry&) {}

}  // namespace tarvic
