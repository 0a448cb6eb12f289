#pragma once
// "SUPPLIER MAIL TEMPLATES": the administrator's request, voucher and cancellation mails (a
// subject and an HTML text with the placeholders listed beside them), and the hours after
// which an unanswered request shows on the board.
#include "bookings/family/MailTemplateWindow.h"

namespace tarvic {

class frm_SupplierTemplates : public MailTemplateWindow {
    Q_OBJECT
public:
    frm_SupplierTemplates(Session& session, QWidget* parent = nullptr);
};

}  // namespace tarvic
