#pragma once
// The single window search: pairs whose document date or service ("tour") date falls between
// two dates, all of them or those of one customer or one vendor, of a service type and a
// status. Opened from the modify window's number: choosing a row hands its ANDP08 number back
// and closes.
#include "shell/kit/ListingWindow.h"

class QComboBox;
class QDateEdit;
class QLineEdit;
class QRadioButton;

namespace tarvic {

class CodeList;

class frm_Search_SWS : public ListingWindow {
    Q_OBJECT
public:
    enum GridCol { ColSerial, ColDate, ColANDPNo, ColANCPNo };

    frm_Search_SWS(Session& session, QWidget* parent, const WindowArgs& args = {});

    QDateEdit* txt_From = nullptr;  // the range is on the date chosen in Cmb_DateOn
    QDateEdit* txt_To = nullptr;
    QComboBox* Cmb_DateOn = nullptr;  // "DOCUMNT DT" or "TOUR DT"
    QRadioButton* Option1 = nullptr;  // all
    QRadioButton* Option2 = nullptr;  // one customer
    QRadioButton* Option3 = nullptr;  // one vendor
    QLineEdit* txt_PartyCode = nullptr;
    QLineEdit* txt_VOCode = nullptr;
    CodeList* Cmb_ServType = nullptr;  // empty: every type
    QComboBox* Cmb_Status = nullptr;   // empty: every status
};

}  // namespace tarvic
