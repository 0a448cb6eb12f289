#pragma once
// "MODIFY PARTY IN CBPT": moves a live, unlocked booking and its money receipts to another
// bill-to party. Advice notes, payments and invoices keep their party.
#include "shell/kit/CodeList.h"
#include "shell/kit/TaskWindow.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvic {

class ListGrid;
class QueryModel;

class frm_Mod_Party_CBPT : public TaskWindow {
    Q_OBJECT
public:
    frm_Mod_Party_CBPT(Session& session, QWidget* parent);

    QLineEdit* txt_CBPTNo = nullptr;
    QPushButton* Cmd_SrcCBPT = nullptr;
    QLabel* lbl_Party = nullptr;
    QLabel* lbl_DocDate = nullptr;
    QLabel* lbl_LeadNo = nullptr;
    QLabel* lbl_QuotNo = nullptr;
    CodeField* party = nullptr;
    ListGrid* Grid1 = nullptr;  // the booking's live money receipts

    qint64 booking() const { return booking_; }
    void Load_Init();
    // Loads the booking typed; only a live, unlocked one is taken.
    bool Show_CBPT();
    void Save_Record();

private:
    QLabel* shown(const QString& name);

    QueryModel* receipts_ = nullptr;
    qint64 booking_ = 0;
    qint64 oldParty_ = 0;
};

}  // namespace tarvic
