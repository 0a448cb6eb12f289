#pragma once
// "CBPT LOG SHEET - OPERATION": bookings given to operations consultants between two dates of
// assignment, painted in their operations status's colours, with counts per consultant and
// status and per status; a booking chosen opens its log update.
#include "shell/kit/ListingWindow.h"

class QLineEdit;
class QRadioButton;

namespace tarvic {

class frm_Update_CBPT_Ops : public ListingWindow {
    Q_OBJECT
public:
    enum Column { ColSlNo, ColConsultant, ColMoment, ColCBPTNo };

    frm_Update_CBPT_Ops(Session& session, QWidget* parent);

    QLineEdit* txt_ConsultantCode = nullptr;
    QLineEdit* txt_CBPTNo = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option3 = nullptr;

    // Opens the log update of the booking on a row; the sheet is read again after its save.
    QWidget* openLog(int row);
};

}  // namespace tarvic
