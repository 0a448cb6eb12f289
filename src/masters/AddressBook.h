#pragma once
// "MAINTAIN ADDRESS BOOK" (frm_AddressBook): business contacts that are not parties of the
// accounts, with their place, contact details and the group or meeting where they were met.
#include "shell/kit/CodeList.h"
#include "shell/kit/TaskWindow.h"

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tarvic {

class frm_AddressBook : public TaskWindow {
    Q_OBJECT
public:
    frm_AddressBook(Session& session, QWidget* parent = nullptr);

    qint64 businessCode() const { return code_; }

    QLabel* lbl_Code = nullptr;
    QLineEdit* txt_BusinessName = nullptr;
    CodeList* Cmb_Type = nullptr;
    CodeList* Cmb_Country = nullptr;
    CodeList* Cmb_State = nullptr;
    CodeList* Cmb_Place = nullptr;
    QLineEdit* txt_PersonName = nullptr;
    QLineEdit* txt_ContNOs = nullptr;
    QLineEdit* txt_Email = nullptr;
    QLineEdit* txt_WebAdd = nullptr;
    QLineEdit* txt_FBAdd = nullptr;
    QPlainTextEdit* txt_Address = nullptr;
    QPlainTextEdit* txt_Remarks = nullptr;
    QLineEdit* txt_GroupCode = nullptr;
    QPushButton* Cmd_SrcGroupName = nullptr;
    QLabel* lbl_GroupName = nullptr;
    QLabel* lbl_CreatedBy = nullptr;
    QLabel* lbl_CreatedOn = nullptr;
    QLabel* lbl_UpdateBy = nullptr;
    QLabel* lbl_UpdateOn = nullptr;

    void Load_Init();
    void Save_Record();
    void Search_Record();
    void Show_Record(qint64 code);
    void Show_GroupMeetName();
    void Src_GroupName();

private:
    void Load_Type();
    void Load_Country();

    qint64 code_ = 0;  // 0: a new contact, numbered when saved
    CodeField* group_ = nullptr;
    // The codes of the lists, as the save reads them.
    std::optional<int> typeCode_, countryCode_, stateCode_, placeCode_;
};

}  // namespace tarvic
