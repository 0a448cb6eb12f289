#pragma once
// "CONFIGURE SMTP": the one row of mail server settings (M_TBL_EMAIL) every e-mail of the
// system is sent with. The password is kept as typed, because the mail sender must present
// it to the server; on screen it is masked.
#include "shell/kit/TaskWindow.h"

class QLineEdit;
class QPushButton;

namespace tarvic {

class frm_SMTP : public TaskWindow {
    Q_OBJECT
public:
    frm_SMTP(Session& session, QWidget* parent = nullptr);

    QLineEdit* txt_SMTPUsrName = nullptr;
    QLineEdit* txt_SMTPPasswd = nullptr;
    QLineEdit* txt_SMTPServer = nullptr;
    QLineEdit* txt_SMTPPort = nullptr;
    QLineEdit* txt_SenderName = nullptr;
    QLineEdit* txt_SenderEmail = nullptr;
    QPushButton* Cmd_Save = nullptr;

    void Show_Record();
    void Save_Record();
};

}  // namespace tarvic
