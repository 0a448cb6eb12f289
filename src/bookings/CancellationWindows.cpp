#include "BookingsWindows.h"

namespace tarvic {

void registerCancellationWindows(WindowRegistry& registry) {
    Q_UNUSED(registry);
}

}  // namespace tarvic
