#pragma once
// "SEARCH INVOICE BETWEEN DATE" (frm_Search_Invoice, INV001) and its twin over proforma
// invoices (frm_Search_Invoice_P, INV006): invoices of a status between two dates, all or of
// one booking or one party. Choosing a row hands its number to the invoice window.
#include "shell/kit/ListingWindow.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tarvic {

class frm_Search_Invoice : public ListingWindow {
    Q_OBJECT
public:
    enum GridCol { ColSlNo, ColDate, ColNumber };

    frm_Search_Invoice(Session& session, QWidget* parent, const WindowArgs& args, bool proforma);

    QComboBox* Cmb_Status = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option3 = nullptr;
    QLineEdit* txt_CBPTNo = nullptr;
    QLineEdit* txt_PartyCode = nullptr;
    QPushButton* Cmd_SearchParty = nullptr;
};

}  // namespace tarvic
