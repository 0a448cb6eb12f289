#include "BookingsWindows.h"

namespace tarvic {

void registerBookingWindows(WindowRegistry& registry) {
    Q_UNUSED(registry);
}

}  // namespace tarvic
