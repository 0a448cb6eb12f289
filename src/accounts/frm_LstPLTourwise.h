#pragma once
// "LIST OF PROFIT LOSS TOUR WISE": for each booking whose quotation's journey starts within
// the dates, money received (FRDB01 debits) against payments to suppliers (FTCR01 credits),
// their balance and "P" or "L"; Grid2 totals the lines by the same rule.
#include "shell/kit/ListingWindow.h"

namespace tarvic {

class frm_LstPLTourwise : public ListingWindow {
    Q_OBJECT
public:
    enum GridCol { ColTourDate, ColBooking, ColParty, ColReceived, ColPaid, ColBalance, ColPL };

    frm_LstPLTourwise(Session& session, QWidget* parent = nullptr);

    ListGrid* Grid2 = nullptr;
};

}  // namespace tarvic
