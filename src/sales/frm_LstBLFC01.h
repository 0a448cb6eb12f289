#pragma once
// "LIST OF BUSINESS LEAD FOR CONSULTANT ( BLFC01 )": the leads of the lead query with their
// last update, and four counts over the same filter (consultant and status, lead type,
// relation and request type, status), the status counts in the status colours.
#include "LeadListWindow.h"

namespace tarvic {

class frm_LstBLFC01 : public LeadListWindow {
    Q_OBJECT
public:
    frm_LstBLFC01(Session& session, QWidget* parent = nullptr);

    QLineEdit* txt_PartyCode = nullptr;
    ListGrid* Grid2 = nullptr;  // consultant and status
    ListGrid* Grid3 = nullptr;  // lead type
    ListGrid* Grid4 = nullptr;  // relation type and request type
    ListGrid* Grid5 = nullptr;  // status
};

}  // namespace tarvic
