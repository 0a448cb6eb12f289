#include "MastersWindows.h"

namespace tarvic {

void registerMastersWindows(WindowRegistry& registry) {
    Q_UNUSED(registry);
}

}  // namespace tarvic
