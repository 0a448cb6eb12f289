#pragma once
// "REMINDER E-MAIL TEMPLATES": the administrator's subject and body of the reminder of each kind
// (customer, supplier, hotel) the TODAY board mails, with the values it fills in named.
#include "bookings/family/MailTemplateWindow.h"

namespace tarvic {

class frm_ReminderTemplate : public MailTemplateWindow {
    Q_OBJECT
public:
    frm_ReminderTemplate(Session& session, QWidget* parent = nullptr);
};

}  // namespace tarvic
