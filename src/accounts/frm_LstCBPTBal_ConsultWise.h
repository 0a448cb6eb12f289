#pragma once
// "LIST OF CBPT BALANCES CONSULTANT WISE": each live booking whose bill party still owes
// ("DB") or is owed ("CR") within it (codes "LDOP"), with the consultant of its lead; all
// consultants or one. Grid2 totals the lines per consultant.
#include "shell/kit/ListingWindow.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace tarvic {

class frm_LstCBPTBal_ConsultWise : public ListingWindow {
    Q_OBJECT
public:
    enum GridCol { ColDate, ColBooking, ColConsultant, ColParty, ColDebit, ColCredit, ColBalance };

    frm_LstCBPTBal_ConsultWise(Session& session, QWidget* parent = nullptr);

    QComboBox* Cmb_DBCR = nullptr;
    QRadioButton* Opt_All = nullptr;
    QRadioButton* Opt_Consultant = nullptr;
    QLineEdit* txt_ConsultantCode = nullptr;
    QLabel* lbl_ConsultantName = nullptr;
    ListGrid* Grid2 = nullptr;

private:
    CodeField* consultant_ = nullptr;
};

}  // namespace tarvic
