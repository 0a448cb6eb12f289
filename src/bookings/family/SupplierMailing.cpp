#include "SupplierMailing.h"

#include "reports/RoomingList.h"
#include "reports/VoucherReport.h"
#include "shell/Prompter.h"
#include "shell/kit/TaskWindow.h"

#include <QApplication>
#include <QProgressDialog>

namespace tarvic {

namespace {

// The hotel voucher of the line as the supplier and the customer receive it.
MailAttachment voucherFile(Database& db, const SupplierLine& l) {
    const VoucherReport report = VoucherReport::forHotelLine(db, l.docNo, l.line);
    if (!report.message().isEmpty())
        throw DbError(DbError::Kind::Refused, report.message());
    return {QStringLiteral("HOTEL VOUCHER %1-%2.pdf").arg(l.booking).arg(l.line), QStringLiteral("application/pdf"),
            report.pdf()};
}

// Records what went to a line, once its last address is done (or the sending stops).
void record(SupplierRequests& requests, const SupplierSend& s, const QStringList& sentTo) {
    const QString to = sentTo.join(QStringLiteral(", "));
    switch (s.kind) {
        case SupplierMailKind::Request:
            requests.recordRequest(s.line, to);
            break;
        case SupplierMailKind::Voucher:
            requests.recordVoucher(s.line, to);
            break;
        case SupplierMailKind::Cancellation:
            requests.recordCancellation(s.line, to);
            break;
    }
}

bool sameLine(const SupplierSend& a, const SupplierSend& b) {
    return a.line.lineCode == b.line.lineCode && a.line.docNo == b.line.docNo && a.line.line == b.line.line;
}

// Asks once for the held lines, and mails each supplier its cancellation on Yes.
void offerCancellations(TaskWindow& window, qint64 booking, const std::vector<SupplierLine>& held) {
    if (held.empty())
        return;
    QStringList lines{
        QStringLiteral("SEND THE CANCELLATION E-MAIL TO THE SUPPLIERS HOLDING CBPT NO : %1 ?").arg(booking)};
    for (const SupplierLine& l : held)
        lines << QStringLiteral(" %1 , %2 ( %3 )")
                     .arg(supplierLineName(l), l.checkIn.toString(QStringLiteral("dd/MM/yyyy")), l.supplierEmail);
    if (!window.prompter().question(&window, lines.join(QLatin1Char('\n'))))
        return;
    QList<SupplierSend> sends;
    if (window.guarded([&] {
            sends = supplierSends(window.db(), window.session().userFullName, held, SupplierMailKind::Cancellation);
        }))
        sendSupplierMails(window, sends);
}

}  // namespace

// The line's rooming list, printed and as a workbook the hotel can read into its own system.
QList<MailAttachment> requestAttachments(Database& db, const SupplierLine& l) {
    if (!l.isHotel())
        return {};
    const QString name = QStringLiteral("ROOMING LIST %1-%2").arg(l.booking).arg(l.line);
    QList<MailAttachment> files;
    if (QByteArray pdf = roomingListPdf(db, l.booking, l.docNo, l.line); !pdf.isEmpty())
        files.append({name + QStringLiteral(".pdf"), QStringLiteral("application/pdf"), std::move(pdf)});
    if (QByteArray xlsx = roomingListXlsx(db, l.booking, l.docNo, l.line); !xlsx.isEmpty())
        files.append({name + QStringLiteral(".xlsx"),
                      QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.sheet"),
                      std::move(xlsx)});
    return files;
}

QList<SupplierSend> supplierSends(Database& db, const QString& user, const std::vector<SupplierLine>& lines,
                                  SupplierMailKind kind) {
    SupplierRequests requests(db, user);
    QList<SupplierSend> sends;
    for (const SupplierLine& l : lines) {
        QList<MailAttachment> files =
            kind == SupplierMailKind::Request ? requestAttachments(db, l) : QList<MailAttachment>();
        if (kind == SupplierMailKind::Voucher)
            files << voucherFile(db, l);
        QList<std::pair<QString, QString>> to;
        for (const QString& a : splitAddresses(l.supplierEmail))
            to.append({l.supplier, a});
        if (kind == SupplierMailKind::Voucher)
            for (const QString& a : splitAddresses(l.customerEmail))
                to.append({l.tourist, a});
        for (const auto& [name, address] : to) {
            MailMessage m = requests.mail(l, kind, {address});
            m.attachments = files;
            sends.append({l, kind, name, address, m});
        }
    }
    return sends;
}

int sendSupplierMails(TaskWindow& window, const QList<SupplierSend>& sends) {
    const auto settings = MailSettings::read(window.db());
    if (!settings) {
        window.prompter().information(&window, kNoSmtp);
        return 0;
    }
    const Mailer mailer(*settings);
    SupplierRequests requests(window.db(), window.session().userFullName);
    const int total = int(sends.size());
    QProgressDialog progress(&window);
    progress.setWindowTitle(window.windowTitle());
    progress.setCancelButtonText(QStringLiteral("&Cancel"));
    progress.setRange(0, total);
    progress.setMinimumDuration(0);
    progress.setWindowModality(Qt::WindowModal);
    int sent = 0;
    QStringList lineSentTo;  // the addresses of the current line already sent to
    const auto flush = [&](int i) {
        if (lineSentTo.isEmpty())
            return true;
        const bool ok = window.guarded([&] { record(requests, sends[i], lineSentTo); });
        lineSentTo.clear();
        return ok;
    };
    for (int i = 0; i < total; ++i) {
        const SupplierSend& s = sends[i];
        if (i > 0 && !sameLine(s, sends[i - 1]) && !flush(i - 1))
            return sent;
        const QString status =
            QStringLiteral("SENDING E-MAIL TO : %1 ( %2 )\n TOTAL RECORDS : %3\n CURRENT RECORD : %4")
                .arg(s.name, s.address)
                .arg(total)
                .arg(i + 1);
        progress.setLabelText(status);
        progress.setValue(i);
        QApplication::processEvents();
        if (progress.wasCanceled()) {
            if (i > 0)
                flush(i - 1);
            window.prompter().information(
                &window, QStringLiteral("SENDING STOPPED ....\n E-MAIL SENT : %1 OF %2").arg(sent).arg(total));
            return sent;
        }
        // The booking may have been locked or the line answered since the list was read.
        if (lineSentTo.isEmpty() &&
            !window.guarded([&] { SupplierRequests(window.db(), {}).checkMail(s.line, s.kind); }))
            return sent;
        try {
            mailer.send(s.message);
        } catch (const MailError& e) {
            progress.cancel();
            flush(i);
            window.prompter().information(&window, QStringLiteral("UNABLE TO SEND E-MAIL TO : %1 ( %2 )\n%3\n E-MAIL "
                                                                  "SENT : %4 OF %5")
                                                       .arg(s.name, s.address, e.message())
                                                       .arg(sent)
                                                       .arg(total));
            return sent;
        }
        ++sent;
        lineSentTo << s.address;
    }
    if (total > 0 && !flush(total - 1))
        return sent;
    progress.setValue(total);
    window.prompter().information(&window, kMailsSent);
    return sent;
}

void offerSupplierCancellations(TaskWindow& window, qint64 booking, std::optional<qint64> hotel) {
    std::vector<SupplierLine> held;
    if (window.guarded([&] { held = SupplierRequests(window.db(), {}).heldLines(booking, hotel); }))
        offerCancellations(window, booking, held);
}

void offerNoteCancellation(TaskWindow& window, qint64 booking, const QString& noteCode, qint64 note) {
    std::vector<SupplierLine> held;
    if (window.guarded([&] { held = SupplierRequests(window.db(), {}).heldNoteLine(noteCode, note); }))
        offerCancellations(window, booking, held);
}

}  // namespace tarvic
