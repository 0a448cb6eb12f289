#pragma once
// "SEARCH BUSINESS LEAD": the lead picker. Choosing a row (double-click or Enter) hands its
// lead number to the caller's callback and closes; opened from the menu it only lists. A user
// with no consultant row or role is told why nothing is listed.
#include "LeadListWindow.h"
#include "shell/kit/Picker.h"

namespace tarvic {

class frm_SearchLead : public LeadListWindow {
    Q_OBJECT
public:
    frm_SearchLead(Session& session, QWidget* parent = nullptr, PickCallback onPick = {});

    QLineEdit* txt_FileNO = nullptr;
    QLineEdit* txt_LeadNO = nullptr;

    void choose(int row);

private:
    PickCallback onPick_;
};

}  // namespace tarvic
