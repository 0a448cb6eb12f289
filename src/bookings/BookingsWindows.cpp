#include "BookingsWindows.h"

namespace tarvic {

void registerBookingsWindows(WindowRegistry& registry) {
    registerBookingWindows(registry);
    registerAdviceNoteWindows(registry);
    registerCancellationWindows(registry);
    registerOperationsWindows(registry);
    registerTourOpsWindows(registry);
    registerMiscNoteWindows(registry);
}

}  // namespace tarvic
