#pragma once
// The receipt and payment searches: documents of one code between two dates, of one status
// (those present), all parties or one. Choosing a row hands its number to the window that
// opened the search (the bulk postings) and closes.
#include "shell/kit/ListingWindow.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace tarvic {

struct MoneySearch {
    QString code;
    QString objectName;
    QString title;
    QString bankHeading;
};

class MoneySearchWindow : public ListingWindow {
    Q_OBJECT
public:
    enum GridCol { ColSerial, ColDate, ColNumber, ColBooking, ColPartyCode, ColPartyName, ColAmount };

    MoneySearchWindow(Session& session, QWidget* parent, const WindowArgs& args, const MoneySearch& search);

    QComboBox* Cmb_Status = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QLineEdit* txt_PartyCode = nullptr;
    QLabel* lbl_PartyName = nullptr;

private:
    void showParty();
};

const MoneySearch& receiptSearch();
const MoneySearch& paymentSearch();

}  // namespace tarvic
