#pragma once
// "ACCESS CONTROL LIST": the menu rights of one login (M_TBL_MENUSHOW) against the menu
// catalogue (M_TBL_MENUDETAILS). The permission column takes only Y or N; saving replaces the
// login's rights rows as a whole, in one transaction.
#include "shell/kit/TaskWindow.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tarvic {

class frm_GrantAccess : public TaskWindow {
    Q_OBJECT
public:
    frm_GrantAccess(Session& session, QWidget* parent = nullptr);

    enum GridCol { MenuId, GroupName, MenuCaption, Permission };

    QLineEdit* txt_EmpID = nullptr;
    QPushButton* Cmd_Show = nullptr;
    QLabel* lbl_EmplName = nullptr;
    QLabel* lbl_Desig = nullptr;
    QLabel* lbl_Dept = nullptr;
    QTableWidget* Grid1 = nullptr;

    void Load_EmptyGrid();
    void Show_Record_ACL();
    void Show_Record_ACL_NEW();
    void Show_EmpRec();
    void Save_Record();
    void Delete_Record();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showLogin();
    void addRight(const QString& menuId, const QString& group, const QString& caption, const QString& permission);
    void setPermission(int row, const QString& permission);
    // The typed login id; false (after the message) when it is not a login id.
    bool loginId(qint64* id);
};

}  // namespace tarvic
