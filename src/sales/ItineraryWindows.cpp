#include "sales/SalesWindows.h"

namespace tarvic {

void registerItineraryWindows(WindowRegistry&) {}

}  // namespace tarvic
