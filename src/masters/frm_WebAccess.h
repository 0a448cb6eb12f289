#pragma once
// "Allowe / Deny Web Access": whether a login may use the web module
// (MST_LOGINDETAILS.WEB_ACCESS). Opened from the logins window.
#include "shell/kit/TaskWindow.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace tarvic {

class frm_WebAccess : public TaskWindow {
    Q_OBJECT
public:
    frm_WebAccess(Session& session, QWidget* parent);

    QLineEdit* txt_LoginID = nullptr;
    QLabel* lbl_FullName = nullptr;
    QComboBox* Cmb_WebAccess = nullptr;

    // Enter in the login code: the login's name and its flag.
    void Show_Record();
    void Save_Record();
};

}  // namespace tarvic
