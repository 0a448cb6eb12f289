#pragma once
// "LIST OF QUOTATION GENERATED ( QGBL01 )": the quotations of a date range with their lead's
// party, for all, one lead or one party; Grid2 counts them per party and Grid3 in all, each
// over the same filter as the detail.
#include "QuotationListing.h"

class QRadioButton;

namespace tarvic {

class frm_QGBL01 : public QuotationListing {
    Q_OBJECT
public:
    enum GridCol { ColSlNo, ColQuotNo, ColQuotDate, ColLeadNo, ColPartyCode, ColPartyName, ColPax, ColChild };

    frm_QGBL01(Session& session, QWidget* parent = nullptr);

    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option3 = nullptr;
    ListGrid* Grid2 = nullptr;  // quotations per party
    ListGrid* Grid3 = nullptr;  // all quotations
};

}  // namespace tarvic
