#pragma once
#include "shell/WindowRegistry.h"

namespace tarvic {

// Registers every bookings window with the menu entry that opens it.
void registerBookingsWindows(WindowRegistry& registry);

// Each family of bookings windows registers its own.
void registerBookingWindows(WindowRegistry& registry);
void registerAdviceNoteWindows(WindowRegistry& registry);
void registerCancellationWindows(WindowRegistry& registry);
void registerOperationsWindows(WindowRegistry& registry);
void registerTourOpsWindows(WindowRegistry& registry);
void registerMiscNoteWindows(WindowRegistry& registry);

}  // namespace tarvic
