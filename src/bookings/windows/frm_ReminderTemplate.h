#pragma once
// "REMINDER E-MAIL TEMPLATES": the administrator's subject and body of the reminder of each kind
// (customer, supplier, hotel) the TODAY board mails, with the values it fills in named.
#include "shell/kit/TaskWindow.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;

namespace tarvic {

class frm_ReminderTemplate : public TaskWindow {
    Q_OBJECT
public:
    frm_ReminderTemplate(Session& session, QWidget* parent = nullptr);

    QComboBox* Cmb_Kind = nullptr;
    QLineEdit* txt_Subject = nullptr;
    QPlainTextEdit* txt_Body = nullptr;

    void Show_Template();
    void Save_Record();
};

}  // namespace tarvic
