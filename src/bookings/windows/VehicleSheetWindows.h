#pragma once
// The vehicle booking sheet (VBS001): vehicles booked with vendors for a lead. The menu opens
// the list of sheet entries; its New and Modify buttons open the entry window.
#include "shell/kit/CodeList.h"
#include "shell/kit/ListingWindow.h"

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTableWidget;

namespace tarvic {

// "VEHICLE BOOKING SHEET": entries by booking date or by update date, for all, one bill-to
// party, one vendor or one booking (through its lead); export.
class frm_VehBookSheet : public ListingWindow {
    Q_OBJECT
public:
    enum GridCol {
        ColSlNo,
        ColDate,
        ColGuest,
        ColService,
        ColVehType,
        ColVehNos,
        ColVendor,
        ColBillTo,
        ColRemarks,
        ColNumber,
        ColLeadNo,
        ColCreated,
        ColUpdated
    };
    frm_VehBookSheet(Session& session, QWidget* parent = nullptr);

    QDateEdit* txt_FromDt = nullptr;
    QDateEdit* txt_ToDt = nullptr;
    QComboBox* Cmb_DateOn = nullptr;  // "BOOKING DATE" or "UPDATE DATE"
    QRadioButton* Option1 = nullptr;  // all
    QRadioButton* Option2 = nullptr;  // bill-to party
    QRadioButton* Option3 = nullptr;  // vendor
    QRadioButton* Option4 = nullptr;  // booking
    CodeField* billParty = nullptr;
    CodeField* vendor = nullptr;
    QLineEdit* txt_CBPTNo = nullptr;

    // Opens the entry window: new, or the entry on a row.
    void Open_Entry(int row = -1);
};

// The entry window: args DOC_NO (optional, an entry to change); after each save it calls
// onPick with the entry's number.
class frm_VehBookSheet_Add : public TaskWindow {
    Q_OBJECT
public:
    frm_VehBookSheet_Add(Session& session, QWidget* parent, const WindowArgs& args = {});

    QLabel* lbl_DocNo = nullptr;
    QDateEdit* txt_BookingDt = nullptr;
    QLineEdit* txt_LeadNo = nullptr;
    QPushButton* Cmd_SrcLead = nullptr;
    QLabel* lbl_Guest = nullptr;
    QLabel* lbl_Quotation = nullptr;
    QTableWidget* Grid_Days = nullptr;  // the quotation's itinerary days
    CodeField* billParty = nullptr;
    QLineEdit* txt_Service = nullptr;
    CodeList* Cmb_VehType = nullptr;
    QLineEdit* txt_VehNos = nullptr;
    CodeField* vendor = nullptr;
    QLineEdit* txt_Remarks = nullptr;

    qint64 number() const { return number_; }
    void Load_Init();
    // Looks the lead typed up: its guest, bill-to party and latest priced quotation's days.
    bool Show_PartyDetails(bool withParty = true);
    bool Show_Record(qint64 number);
    void Save_Record();

private:
    qint64 number_ = 0;
    qint64 lead_ = 0;
    PickCallback onSaved_;
};

}  // namespace tarvic
