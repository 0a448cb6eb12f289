#pragma once
// "SINGLE WINDOWS SERVICE ( ANDP08-ANCP08 )" and its modify window, one class: a service sold
// on its own, the customer debited with the selling amount and the vendor credited with the
// buying amount, both rows saved together (ServicePairs). The modify window loads a pair by
// its ANDP08 number (typed, or chosen in "frm_Search_SWS"), keeps both numbers, and shows a
// cancelled pair read-only.
#include "engine/bookings/ServicePairs.h"
#include "shell/kit/Checks.h"
#include "shell/kit/CodeList.h"
#include "shell/kit/TaskWindow.h"

class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvic {

class DocumentEditor;

class frm_SWS_ANCPANDP08 : public TaskWindow {
    Q_OBJECT
public:
    // args DOC_NO (modify window only): the pair shown on opening.
    frm_SWS_ANCPANDP08(Session& session, QWidget* parent, bool modify, const WindowArgs& args = {});

    QLineEdit* txt_DocNo = nullptr;  // the ANDP08 number, modify window only
    QPushButton* Cmd_Search = nullptr;
    QLabel* lbl_ANDPNo = nullptr;
    QLabel* lbl_ANCPNo = nullptr;
    QLabel* lbl_Status = nullptr;
    QDateEdit* txt_DocDate = nullptr;
    QDateEdit* txt_TourDate = nullptr;
    CodeField* party = nullptr;
    CodeField* vendor = nullptr;
    CodeList* Cmb_ServType = nullptr;
    QLineEdit* txt_ServiceName = nullptr;
    QLineEdit* txt_SellAmt = nullptr;
    QLabel* lbl_SellWords = nullptr;
    QLineEdit* txt_BuyAmt = nullptr;
    QLabel* lbl_BuyWords = nullptr;

    bool editable() const { return editable_; }
    void Load_Init();
    // Shows the pair of an ANDP08 number; false (after saying so) when there is none.
    bool Show_Record(qint64 customerNo);
    void Save_Record();

private:
    void setEditable(bool editable);
    ServicePair onScreen() const;
    QList<Check> checks();
    Confirmation question() const;
    qint64 post();  // the engine's save: the ANDP08 number

    bool modify_;
    DocumentEditor* editor_ = nullptr;
    bool editable_ = true;
    qint64 customerNo_ = 0;
    qint64 vendorNo_ = 0;
};

}  // namespace tarvic
