#pragma once
// "PARTY LEDGER CBPT WISE": a party's balance within each booking it has rows under (codes
// "LDOP"), settled bookings left out, newest booking first, with the booking's date and bill
// party; Grid2 totals the lines shown, under its caption.
#include "shell/kit/ListingWindow.h"

class QLabel;
class QLineEdit;

namespace tarvic {

class frm_PartyLedger_CBPT : public ListingWindow {
    Q_OBJECT
public:
    enum GridCol { ColBooking, ColDate, ColBillParty, ColPartyCode, ColDebit, ColCredit, ColBalance };

    frm_PartyLedger_CBPT(Session& session, QWidget* parent = nullptr);

    QLineEdit* txt_PartyCode = nullptr;
    QLabel* lbl_PartyName = nullptr;
    ListGrid* Grid2 = nullptr;
    QLabel* lbl_Totals = nullptr;  // over Grid2

private:
    CodeField* party_ = nullptr;
    QStringList codes_;
};

}  // namespace tarvic
