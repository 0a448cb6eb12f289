#include "BookingsWindows.h"

namespace tarvic {

void registerAdviceNoteWindows(WindowRegistry& registry) {
    Q_UNUSED(registry);
}

}  // namespace tarvic
