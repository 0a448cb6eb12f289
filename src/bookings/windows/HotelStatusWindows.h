#pragma once
// The hotel status of booked hotel lines: the list by stay date coloured by status, and the
// window that gives one line (and its tour days) a status.
#include "shell/kit/ListingWindow.h"

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace tarvic {

// "UPDATE HOTEL STATUS": hotel lines of live bookings by check-in date or of one booking; a
// line without a status yet is listed under "%". Double-click opens the line's status window.
class frm_UpdateHotelStatus : public ListingWindow {
    Q_OBJECT
public:
    enum GridCol {
        ColSlNo,
        ColCheckIn,
        ColCheckOut,
        ColNights,
        ColHotel,
        ColParty,
        ColTourist,
        ColCbptNo,
        ColQuotNo,
        ColAccNo,
        ColStatus,
        ColUpdated
    };
    frm_UpdateHotelStatus(Session& session, QWidget* parent = nullptr);

    QDateEdit* txt_FromDt = nullptr;
    QDateEdit* txt_ToDt = nullptr;
    QComboBox* Cmb_Status = nullptr;
    QRadioButton* Option1 = nullptr;  // between check-in dates
    QRadioButton* Option2 = nullptr;  // one booking
    QLineEdit* txt_CBPTNo = nullptr;

    void Open_Line(int row);
    // The supplier requests of the current line's booking, that line chosen.
    void Open_Requests();
};

// The status of one hotel line: args QUOTATION_NO and ACC_CODE; after a save it calls onPick
// with the quotation number (the list reloads). The line's option (hold) date and
// free-cancellation deadline are shown as typed or as the hotel's periods give them; a date
// changed is saved with the status (or alone), a date cleared returns to the hotel's period.
class frm_UpdateHotelStatus_Line : public TaskWindow {
    Q_OBJECT
public:
    frm_UpdateHotelStatus_Line(Session& session, QWidget* parent, const WindowArgs& args);

    QLabel* lbl_Party = nullptr;
    QLabel* lbl_Tourist = nullptr;
    QLabel* lbl_Hotel = nullptr;
    QLabel* lbl_Place = nullptr;
    QLabel* lbl_ChkIn = nullptr;
    QLabel* lbl_ChkOut = nullptr;
    QLabel* lbl_Status = nullptr;
    QComboBox* Cmb_Status = nullptr;
    QLineEdit* txt_OptionDt = nullptr;
    QLineEdit* txt_FreeCnclDt = nullptr;

    bool Show_Line();
    void Save_Record();

private:
    QList<std::pair<QString, QString>> details() const;

    qint64 quotation_ = 0;
    bool deadlinesChanged() const;

    qint64 line_ = 0;
    bool loaded_ = false;
    QDate shownOption_, shownFreeCancel_;  // as read: typed or from the hotel's periods
    QDate typedOption_, typedFreeCancel_;  // typed on the line; invalid: the hotel's period
    PickCallback onSaved_;
};

}  // namespace tarvic
