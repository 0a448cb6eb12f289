#pragma once
// The quotation lines' operations live in the engine; the booking windows still reach them here.
#include "engine/sales/QuotationLines.h"
