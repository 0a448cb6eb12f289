#include "BookingsWindows.h"

namespace tarvic {

void registerMiscNoteWindows(WindowRegistry&) {}

}  // namespace tarvic
