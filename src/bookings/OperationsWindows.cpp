#include "BookingsWindows.h"

namespace tarvic {

void registerOperationsWindows(WindowRegistry&) {}

}  // namespace tarvic
