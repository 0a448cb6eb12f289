#pragma once
// Mails to suppliers (and a voucher's copy to the customer), sent from a window: one message
// per recipient through the Mailer, a progress dialog that can be cancelled, each message
// recorded on its line as soon as it went, and a failure that names the recipient, says how
// many went before it and stops. The requests window and the cancellations use it.
#include "engine/bookings/SupplierRequests.h"

#include <functional>

namespace tarvic {

class TaskWindow;

struct SupplierSend {
    SupplierLine line;
    SupplierMailKind kind = SupplierMailKind::Request;
    QString name;     // who it goes to, as the failure names them
    QString address;  // one address
    MailMessage message;
};

// The files a request carries: a hotel line's rooming list, as a PDF and as a workbook. A
// vehicle or other request carries none: who sleeps in which room is nothing a transporter or
// a guide acts on, and the mail says how many travel.
QList<MailAttachment> requestAttachments(Database& db, const SupplierLine& line);

// The messages of the kind for the lines, one per address of each supplier (a voucher also to
// the customer when he has an address), each with its files.
QList<SupplierSend> supplierSends(Database& db, const QString& user, const std::vector<SupplierLine>& lines,
                                  SupplierMailKind kind);

// Sends them in order; returns how many went. Nothing is sent without mail settings.
int sendSupplierMails(TaskWindow& window, const QList<SupplierSend>& sends);

// After a booking (or a hotel's advice note) is cancelled: offers the cancellation mail to
// every supplier still holding one of its lines, and sends it only on Yes.
void offerSupplierCancellations(TaskWindow& window, qint64 booking, std::optional<qint64> hotel = {});
// After a vehicle or other note is cancelled: the same for its own line.
void offerNoteCancellation(TaskWindow& window, qint64 booking, const QString& noteCode, qint64 note);

inline const QString kNoSupplierLine = QStringLiteral("PLEASE SELECT THE SUPPLIER LINES ....");
inline const QString kMailsSent = QStringLiteral("E-MAIL SUCCESSFULLY SENT ....");

}  // namespace tarvic
