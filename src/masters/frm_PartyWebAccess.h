#pragma once
// "WEB PASSWORD CHANGE": sets the password a party uses in the web module. The web module
// reads PARTY_PASSWORD as typed, so it is stored as typed (trimmed); the stored password is
// never shown, not even here.
#include "shell/kit/TaskWindow.h"

class QLabel;
class QLineEdit;

namespace tarvic {

class frm_PartyWebAccess : public TaskWindow {
    Q_OBJECT
public:
    frm_PartyWebAccess(Session& session, QWidget* parent, qint64 partyCode);

    QLabel* lbl_PartyCode = nullptr;
    QLabel* lbl_PartyName = nullptr;
    QLabel* lbl_PasswdUpdByOn = nullptr;
    QLineEdit* txt_Password = nullptr;

    void Show_Record();
    void Save_Record();

private:
    qint64 partyCode_;
};

}  // namespace tarvic
