#pragma once
// "ADD BUSINESS LEAD FOR CONSULTANT ( BLFC01 )": a lead entered or changed. Toolbar 1 closes,
// 2 starts a new lead, 3 saves, 4 opens the lead search. Opened with LEAD_NO it shows that
// lead; after every save it calls the opener's callback (the register reloads its grid).
// What a user may do follows his role (Chk_TCRole): an operator's consultant is his own and
// he sees only his own leads; no consultant row or role means no save, and the window says so
// above its fields and again when a save is tried (lbl_SaveNote). A locked lead
// (LCK_LEAD 'Y') is shown read-only.
#include "masters/ConsultantRole.h"
#include "shell/kit/CodeList.h"
#include "shell/kit/DocumentEditor.h"
#include "shell/kit/TaskWindow.h"

#include <QSqlRecord>

class QDateEdit;
class QLabel;
class QLineEdit;

namespace tarvic {

class LeadStatusList;

class frm_BusinessLead_Add : public TaskWindow {
    Q_OBJECT
public:
    frm_BusinessLead_Add(Session& session, QWidget* parent = nullptr, const WindowArgs& args = {});

    QLabel* lbl_DocCode = nullptr;
    QLabel* lbl_DocNO = nullptr;
    QDateEdit* txt_DocDate = nullptr;
    CodeField* party = nullptr;  // txt_Code, lbl_PartyName, Cmd_SrcParty
    QLineEdit* txt_Code = nullptr;
    QLabel* lbl_PartyName = nullptr;
    QLabel* lbl_PartyType = nullptr;
    CodeList* Cmb_LeadType = nullptr;
    CodeList* Cmb_LeadFor = nullptr;
    QLineEdit* txt_Desc = nullptr;
    QLineEdit* txt_NoOfPax = nullptr;
    QLineEdit* txt_NoOfChild = nullptr;
    QLineEdit* txt_ChildAges = nullptr;
    QLineEdit* txt_StrtDate = nullptr;  // dd/mm/yyyy, may be empty
    QLineEdit* txt_NoOfDays = nullptr;
    QLabel* lbl_EndDate = nullptr;
    QLineEdit* txt_TouristName = nullptr;
    QLineEdit* txt_TouristMob = nullptr;
    QLineEdit* txt_EmailAdd = nullptr;
    LeadStatusList* Cmb_LeadStatus = nullptr;
    CodeField* consultant = nullptr;  // txt_ConsCode, lbl_ConsName
    QLabel* lbl_CreatedBy = nullptr;
    QLabel* lbl_UpdateBy = nullptr;
    QLabel* lbl_LeadLock = nullptr;
    QLabel* lbl_SaveNote = nullptr;  // why this user cannot save; hidden when he can

    qint64 number() const { return number_; }
    void Load_Init();
    void Calc_EndDate();
    void Save_Record();
    // Shows a lead (none found: "UNABLE TO FETCH RECORD !!!! " and a new lead).
    bool Show_Record(qint64 leadNo);

private:
    void setEditable(bool editable);
    void showPartyType();
    Columns ownColumns() const;
    void setUpSave();
    // The save's checks, in their order.
    QList<Check> saveChecks();

    TCRoleCheck role_;
    PickCallback changed_;
    DocumentEditor* editor_ = nullptr;
    qint64 number_ = 0;
    bool editable_ = true;
    bool showing_ = false;
    QList<QWidget*> entryFields_;
};

}  // namespace tarvic
