#include "BookingsWindows.h"

namespace tarvic {

void registerBookingsWindows(WindowRegistry& registry) {
    registerBookingWindows(registry);
    registerAdviceNoteWindows(registry);
    registerCancellationWindows(registry);
}

}  // namespace tarvic
