#pragma once
// "SEARCH CUSTOMER BOOKED FOR PACKAGE TOUR ( CBPT01 )": bookings registered or starting between
// two dates, all of them or by party, quotation, booking or file number. The picker of every
// window that names a booking: choosing a row hands its number to the caller and closes.
#include "shell/kit/ListingWindow.h"

class QComboBox;
class QLineEdit;
class QRadioButton;

namespace tarvic {

class frm_SearchCBPT01 : public ListingWindow {
    Q_OBJECT
public:
    enum GridCol { ColDate, ColNumber, ColFileNo, ColQuotation, ColTourDate, ColParty };

    frm_SearchCBPT01(Session& session, QWidget* parent, const WindowArgs& args = {});

    QDateEdit* txt_From = nullptr;
    QDateEdit* txt_To = nullptr;
    QComboBox* Cmb_DateOn = nullptr;  // "REGD DT" or "TOUR DT"
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option3 = nullptr;
    QRadioButton* Option4 = nullptr;
    QRadioButton* Option5 = nullptr;
    QLineEdit* txt_PartyCode = nullptr;
    QLineEdit* txt_QuotNo = nullptr;
    QLineEdit* txt_CBPTNo = nullptr;
    QLineEdit* txt_FileNo = nullptr;
};

}  // namespace tarvic
