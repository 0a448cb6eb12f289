#pragma once
#include "shell/WindowRegistry.h"

namespace tarvic {

// Registers the printed vouchers: "rpt_Voucher" (DOC_CODE, DOC_NO, CBPT_NO) and
// "rpt_HotelVoucher" (QUOTATION_NO).
void registerReportWindows(WindowRegistry& registry);

}  // namespace tarvic
