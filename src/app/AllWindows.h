#pragma once
// Every window of every subsystem, registered by its name. The program and the catalogue
// test both build their registry here, so a subsystem added to the one is tested by the other.
#include "accounts/AccountsWindows.h"
#include "admin/AdminWindows.h"
#include "bookings/BookingsWindows.h"
#include "listings/ListingWindows.h"
#include "masters/MastersWindows.h"
#include "reports/ReportWindows.h"
#include "sales/SalesWindows.h"
#include "shell/WindowRegistry.h"

namespace tarvic {

inline void registerAllWindows(WindowRegistry& registry) {
    registerMastersWindows(registry);
    registerSalesWindows(registry);
    registerBookingsWindows(registry);
    registerAccountsWindows(registry);
    registerReportWindows(registry);
    registerListingWindows(registry);
    registerAdminWindows(registry);
}

}  // namespace tarvic
