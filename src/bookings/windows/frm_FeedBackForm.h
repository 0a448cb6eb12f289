#pragma once
// "FEEDBACK FORM": the customer's feedback on a booking, written on the booking's own row.
// Only a live booking that was loaded can take it.
#include "shell/kit/TaskWindow.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tarvic {

class frm_FeedBackForm : public TaskWindow {
    Q_OBJECT
public:
    frm_FeedBackForm(Session& session, QWidget* parent = nullptr);

    QLineEdit* txt_CBPTNo = nullptr;
    QPushButton* Cmd_SrcCBPT = nullptr;
    QLabel* lbl_Party = nullptr;
    QLabel* lbl_Tourist = nullptr;
    QLabel* lbl_Dates = nullptr;
    QLabel* lbl_Itinerary = nullptr;
    QLabel* lbl_Feedback = nullptr;  // as stored
    QPlainTextEdit* txt_Feedback = nullptr;

    qint64 booking() const { return booking_; }
    void Load_Init();
    // Loads the booking typed; a cancelled one is refused.
    bool Show_CBPT();
    void Save_Record();

private:
    void clearShown();
    qint64 booking_ = 0;
};

}  // namespace tarvic
