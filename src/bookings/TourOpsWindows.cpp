#include "BookingsWindows.h"

namespace tarvic {

void registerTourOpsWindows(WindowRegistry&) {}

}  // namespace tarvic
