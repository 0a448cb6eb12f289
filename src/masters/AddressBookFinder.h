#pragma once
// Finding contacts of the address book. One window, configured twice:
//  - frm_Search_AddressBook "SEARCH ADDRESS BOOK": by description, contact number, or business
//    type with exact country, state and place; choosing a row hands its code to the caller.
//  - frm_LstAddressBook "LIST ADDRESS BOOK DETAILS": the same with "%" in every list, plus the
//    group / meet code, more columns and the export; choosing a row shows the contact in the
//    entry window (or hands it to the caller's callback, when one was given).
#include "shell/kit/CodeList.h"
#include "shell/kit/ListGrid.h"
#include "shell/kit/Picker.h"
#include "shell/kit/TaskWindow.h"

#include <QPointer>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tarvic {

class frm_AddressBook;
class QueryModel;

struct AddressBookFinderConfig {
    QString objectName;
    QString title;
    bool listing = false;  // "%" in every list and LIKE on names, group option, export
};

class AddressBookFinder : public TaskWindow {
    Q_OBJECT
public:
    AddressBookFinder(const AddressBookFinderConfig& config, Session& session, QWidget* parent, PickCallback onPick);

    QRadioButton* Option1 = nullptr;  // description
    QRadioButton* Option2 = nullptr;  // contact number
    QRadioButton* Option3 = nullptr;  // business type, country, state, place
    QRadioButton* Option4 = nullptr;  // group / meet code (listing only)
    QLineEdit* txt_Desc = nullptr;
    QLineEdit* txt_ContNO = nullptr;
    CodeList* Cmb_Type = nullptr;
    CodeList* Cmb_Country = nullptr;
    CodeList* Cmb_State = nullptr;
    CodeList* Cmb_Place = nullptr;
    QLineEdit* txt_GroupCode = nullptr;
    QPushButton* Cmd_SrcGroupName = nullptr;
    QLabel* lbl_GroupName = nullptr;
    QPushButton* Cmd_Show = nullptr;
    QPushButton* Cmd_ExpXls = nullptr;
    ListGrid* Grid1 = nullptr;

    void Load_Grid1();
    void Show_GroupMeetName();
    void Src_GroupName();
    void Exp_Xls();
    // The entry window the listing opened for a chosen row, if still open.
    frm_AddressBook* entryWindow() const;

private:
    // After a list is read: "%" on top where it belongs, and the first item shown.
    void settle(CodeList* list);
    void rowChosen(int row);
    int codeColumn() const { return 1; }

    AddressBookFinderConfig config_;
    PickCallback onPick_;
    QPointer<frm_AddressBook> entry_;
    QueryModel* model_ = nullptr;
};

class frm_Search_AddressBook : public AddressBookFinder {
    Q_OBJECT
public:
    frm_Search_AddressBook(Session& session, QWidget* parent, PickCallback onPick = {});
};

class frm_LstAddressBook : public AddressBookFinder {
    Q_OBJECT
public:
    frm_LstAddressBook(Session& session, QWidget* parent, PickCallback onPick = {});
};

}  // namespace tarvic
