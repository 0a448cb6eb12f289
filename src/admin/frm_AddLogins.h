#pragma once
// "Manage Logins": creates, edits and deletes the logins of MST_LOGINDETAILS. Passwords are
// stored as hashes and never shown: the grid masks them, a picked login's password field
// stays empty, and saving it so keeps the stored password; only a typed one replaces it, typed
// twice alike, and a stored one is replaced only once the user says so. A login is picked by
// clicking its row or by typing its name.
#include "shell/kit/TaskWindow.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace tarvic {

class frm_AddLogins : public TaskWindow {
    Q_OBJECT
public:
    frm_AddLogins(Session& session, QWidget* parent = nullptr);

    // What the grid's PASSWORD column shows for a stored password.
    static inline const QString kPasswordMask = QStringLiteral("********");

    QLabel* lbl_LoginID = nullptr;
    QLineEdit* txt_LoginName = nullptr;
    QLineEdit* txt_Password = nullptr;
    QLineEdit* txt_Confirm = nullptr;  // the new password again
    QLineEdit* txt_EmplName = nullptr;
    QComboBox* Cmb_Department = nullptr;
    QComboBox* Cmb_Designation = nullptr;
    QTableWidget* Grid1 = nullptr;

    void Load_EmplLogins();
    void Load_DepartmentDetails();
    void Load_Designation();
    void Save_Rec();
    void Load_NewRec();
    void Del_Login();
    // Picks a grid row as a click does.
    void pickRow(int row);
    // Picks the listed login of the name typed, unless it is the one shown.
    void pickByName();
    // Whether the password field holds a newly typed password.
    bool passwordTyped() const { return passwordTyped_; }
    // A login shown with nothing typed in the password field: saving keeps its password.
    bool keepsStoredPassword() const;

private:
    void openWebAccess();
    void chooseItem(QComboBox* combo, const QString& text);

    bool passwordTyped_ = false;
};

}  // namespace tarvic
