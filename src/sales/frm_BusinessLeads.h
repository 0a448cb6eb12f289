#pragma once
// "BUSINESS LEADS": the register. Leads between two dates by status and one option, in their
// status colours; toolbar 2 opens the entry window for a new lead, 3 the follow-up of the
// lead selected (held in lbl_LeadCode with its lock in lbl_LeadLock). Both reload the grid
// after they save.
#include "LeadListWindow.h"

namespace tarvic {

class frm_BusinessLeads : public LeadListWindow {
    Q_OBJECT
public:
    frm_BusinessLeads(Session& session, QWidget* parent = nullptr);

    QLineEdit* txt_PartyCode = nullptr;
    QLineEdit* txt_LeadNO = nullptr;
    QLineEdit* txt_MailAddress = nullptr;
    QLabel* lbl_LeadCode = nullptr;
    QLabel* lbl_LeadLock = nullptr;

    // Show: fills the grid; no lead is selected afterwards.
    void Load_Grid1();

private:
    void select(int row);
};

}  // namespace tarvic
