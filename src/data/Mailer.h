#pragma once
// Sends mail through the installation's SMTP server (the one row of M_TBL_EMAIL). Always over
// TLS: port 465 speaks TLS from the first byte, any other port must offer STARTTLS or nothing
// is sent; the server's certificate is verified. Basic authentication with the stored user
// and password, which never appears in an error or a log. An HTML body is sent
// quoted-printable, with its pictures as related parts named by Content-ID.
//
//     const auto settings = MailSettings::read(db);       // nullopt: no SMTP row
//     Mailer(*settings).send({.to = splitAddresses(txt_Email->text()), .subject = "Tour", .html = page});
//
// Files go with a message as attachments, each base64 with its name kept safe in its header
// (quotes and line breaks dropped, a name beyond ASCII also given encoded as RFC 2231 says).
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <stdexcept>

namespace tarvic {

class Database;

struct MailSettings {
    QString user;
    QString password;
    QString server;
    int port = 465;
    QString senderName;
    QString senderAddress;
    QString caFile;  // a certificate authority of its own (the tests' local server); empty: the system's

    // The settings row, each value trimmed; nullopt when there is none. The certificate
    // authority file is TARVIC_MAIL_CA_FILE when set (a local test server's own).
    static std::optional<MailSettings> read(Database& db);
};

struct MailPicture {
    QByteArray data;
    QString contentType = QStringLiteral("image/jpeg");
    QString contentId;  // without the angle brackets: the HTML refers to it as "cid:<contentId>"
    QString fileName;
};

// A file sent with the message (a voucher's PDF): offered for saving, not shown in the body.
struct MailAttachment {
    QString fileName;
    QString contentType = QStringLiteral("application/octet-stream");
    QByteArray data;
};

struct MailMessage {
    QStringList to;
    QString subject;
    QString html;  // the body; plain text when empty
    QString text;
    QList<MailPicture> pictures;
    QList<MailAttachment> attachments;  // after the body, in a multipart/mixed around it
};

class MailError : public std::runtime_error {
public:
    explicit MailError(const QString& message) : std::runtime_error(message.toStdString()), message_(message) {}
    QString message() const { return message_; }

private:
    QString message_;
};

inline const QString kNoRecipient = QStringLiteral("NO E-MAIL ADDRESS TO SEND TO ....");
inline const QString kNoSmtp = QStringLiteral("SMTP DETAILS NOT FOUND ..., PLEASE ENTER SMTP SERVER DETAILS ...");

// Addresses typed into one field, separated by "," or ";", blanks dropped.
QStringList splitAddresses(const QString& field);

// A file from the web over http or https (a company picture): its bytes, or empty when it
// cannot be had. Redirects are followed; at most 10 MB.
QByteArray fetchWebFile(const QString& url);

class Mailer {
public:
    explicit Mailer(MailSettings settings) : settings_(std::move(settings)) {}
    // Sends one message to every address of message.to. Throws MailError, whose text names
    // what failed but never the password.
    void send(const MailMessage& message) const;

private:
    MailSettings settings_;
};

}  // namespace tarvic
