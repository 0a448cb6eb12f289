#pragma once
// "SUPPLIER MAIL TEMPLATES": the administrator's request, voucher and cancellation mails (a
// subject and an HTML text with the placeholders listed beside them), and the hours after
// which an unanswered request shows on the board.
#include "shell/kit/TaskWindow.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace tarvic {

class frm_SupplierTemplates : public TaskWindow {
    Q_OBJECT
public:
    frm_SupplierTemplates(Session& session, QWidget* parent = nullptr);

    QComboBox* Cmb_Kind = nullptr;
    QLineEdit* txt_Subject = nullptr;
    QPlainTextEdit* txt_Body = nullptr;
    QLineEdit* txt_Hours = nullptr;
    QLabel* lbl_Placeholders = nullptr;

    void Show_Template();
    void Save_Record();
};

}  // namespace tarvic
