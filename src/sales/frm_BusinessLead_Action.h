#pragma once
// "ACTION TAKEN BY CONSULTANT ( BLFC01 )": the follow-up of one lead (LEAD_NO): its file
// number, the action taken and its status. The status must be chosen; a booked status given
// by a booking is kept unless another is chosen; a locked lead is shown read-only and never
// saved. The next follow-up date, when typed, puts the lead on the due board from that day.
// After a save the opener's callback reloads the register.
#include "masters/ConsultantRole.h"
#include "shell/kit/TaskWindow.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace tarvic {

class LeadStatusList;

class frm_BusinessLead_Action : public TaskWindow {
    Q_OBJECT
public:
    frm_BusinessLead_Action(Session& session, QWidget* parent = nullptr, const WindowArgs& args = {});

    QLabel* lbl_LeadCode = nullptr;
    QLabel* lbl_Details = nullptr;  // date, party, description, pax, children, dates, by and on
    QLabel* lbl_SaveNote = nullptr;  // why this login cannot save, when it cannot
    QLineEdit* txt_FileNO = nullptr;
    QPlainTextEdit* txt_ResAction = nullptr;
    LeadStatusList* Cmb_Status = nullptr;
    QLineEdit* txt_FollowUpDt = nullptr;  // the next follow-up; empty when none is planned

    bool Show_Record();
    void Save_Record();

private:
    TCRoleCheck role_;
    PickCallback changed_;
    qint64 number_ = 0;
    QString desc_;
    bool editable_ = false;
};

}  // namespace tarvic
