#pragma once
// "ASSIGN CBPT TO OPERATION": gives a live booking to an operations consultant.
#include "bookings/family/BookingOpsWindow.h"

namespace tarvic {

class CodeField;

class frm_CBPT_ConsOpt : public BookingOpsWindow {
    Q_OBJECT
public:
    frm_CBPT_ConsOpt(Session& session, QWidget* parent);

    CodeField* consultant = nullptr;
    QPushButton* Cmd_Assign = nullptr;

    void Save_Record();

protected:
    void clearOwn() override;
};

}  // namespace tarvic
