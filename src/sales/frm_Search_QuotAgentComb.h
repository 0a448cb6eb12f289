#pragma once
// "SEARCH QUOTATION-AGENT COMBINATION": the combinations created in a date range (the to-date
// to the end of its day), for all agents or one. Choosing a row hands its number to the
// combination window that opened the search and closes; opened alone it only lists.
#include "QuotationListing.h"

class QRadioButton;

namespace tarvic {

class frm_Search_QuotAgentComb : public QuotationListing {
    Q_OBJECT
public:
    enum GridCol { ColSlNo, ColDocNo, ColAgent, ColQuotNo, ColLeadNo, ColItinerary, ColStart, ColEnd };

    frm_Search_QuotAgentComb(Session& session, QWidget* parent, const WindowArgs& args = {});

    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
};

}  // namespace tarvic
