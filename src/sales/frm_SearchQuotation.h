#pragma once
// "SEARCH QUOTATION": quotations between dates with their lead, by status and one of all, a
// lead, a party or a quotation number. The picker of every window that names a quotation:
// choosing a row hands its number to the caller and closes; opened from the menu it only lists.
#include "shell/kit/ListingWindow.h"
#include "shell/kit/Picker.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tarvic {

class frm_SearchQuotation : public ListingWindow {
    Q_OBJECT
public:
    enum GridCol { ColSlNo, ColDate, ColNumber, ColParty, ColLead, ColDesc, ColGrand, ColStatus };

    frm_SearchQuotation(Session& session, QWidget* parent, const WindowArgs& args = {});

    QComboBox* Cmb_Status = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option3 = nullptr;
    QRadioButton* Option4 = nullptr;
    QLineEdit* txt_LeadNo = nullptr;
    QLineEdit* txt_PartyCode = nullptr;
    QLineEdit* txt_QuotNo = nullptr;
    QPushButton* Cmd_SrcLead = nullptr;
    QPushButton* Cmd_SrcParty = nullptr;

private:
    QWidget* withPicker(QLineEdit* edit, QPushButton* button, const QString& window);
};

}  // namespace tarvic
