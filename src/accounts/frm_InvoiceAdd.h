#pragma once
// The line entry of the invoice ("ADD INVOICE DETAILS", frm_InvoiceAdd) and of the proforma
// ("ADD DETAILS TO PROFORMA INVOICE LIST", frm_InvoiceAdd_P): a description, a whole rate and
// quantity, the amount recomputed as they are typed. Each line added is handed to the
// invoice that opened it (onLine, which may refuse it), and the fields clear for the next.
#include "engine/accounts/InvoiceStore.h"
#include "shell/kit/TaskWindow.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvic {

class frm_InvoiceAdd : public TaskWindow {
    Q_OBJECT
public:
    frm_InvoiceAdd(Session& session, QWidget* parent, bool proforma);

    QLineEdit* txt_Desc = nullptr;
    QLineEdit* txt_Rate = nullptr;
    QLineEdit* txt_Qty = nullptr;
    QLabel* lbl_Amount = nullptr;
    QPushButton* Cmd_Add = nullptr;

    // Checks and hands the line on; false when refused.
    bool Add_Line();
    // Takes a line into the invoice; false (having said why) when it cannot.
    std::function<bool(const InvoiceLine&)> onLine;

private:
    std::optional<Money> amount() const;
    void recompute();
};

}  // namespace tarvic
