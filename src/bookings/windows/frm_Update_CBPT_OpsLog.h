#pragma once
// The log update of one booking (opened from the log sheet with CBPT_NO): the action taken and
// the operations status. After a save the opener's onPick gets the booking number.
#include "bookings/family/BookingOpsWindow.h"
#include "shell/WindowRegistry.h"

class QPlainTextEdit;

namespace tarvic {

class CodeList;

class frm_Update_CBPT_OpsLog : public BookingOpsWindow {
    Q_OBJECT
public:
    frm_Update_CBPT_OpsLog(Session& session, QWidget* parent, const WindowArgs& args = {});

    QPlainTextEdit* txt_Action = nullptr;
    CodeList* Cmb_Status = nullptr;

    void Save_Record();

protected:
    void clearOwn() override;
    void showOwn() override;

private:
    PickCallback onSaved_;
};

}  // namespace tarvic
