#include "ListingWindows.h"

namespace tarvic {

void registerListingWindows(WindowRegistry&) {}

}  // namespace tarvic
