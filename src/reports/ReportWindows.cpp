#include "ReportWindows.h"

namespace tarvic {

void registerReportWindows(WindowRegistry&) {}

}  // namespace tarvic
