#include "SalesWindows.h"

namespace tarvic {

void registerSalesWindows(WindowRegistry& registry) {
    registerLeadWindows(registry);
    registerItineraryWindows(registry);
    registerQuotationWindows(registry);
    registerQuotationLineWindows(registry);
    registerMailWindows(registry);
    registerQuotationListWindows(registry);
}

}  // namespace tarvic
